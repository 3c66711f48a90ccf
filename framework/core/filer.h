// The interface through which a persistent object declares stored properties that are not published
// ones ("Lines.Strings", "Left" and "Top" of non-visual components, binary picture data).
#pragma once

#include <functional>
#include <string>

#include "framework/core/object.h"

class TReader;
class TWriter;
class TStream;
class TPersistent;

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

class TFiler : public TObject {
    DECLARE_CLASS(TFiler)
public:
    // Declares a stored property `name`: the reader calls `read` to consume its value, the writer calls
    // `write` when `hasData` says there is something to write.
    virtual void DefineProperty(
        const std::string& name, const TReaderProc& read, const TWriterProc& write, bool hasData) = 0;
    // The same for a binary value, handed over as a stream.
    virtual void DefineBinaryProperty(
        const std::string& name, const TStreamProc& read, const TStreamProc& write, bool hasData) = 0;

    // What a descendant's stored values are compared with when writing; none when reading.
    TPersistent* Ancestor() const { return ancestor_; }

protected:
    TPersistent* ancestor_ = nullptr;
};
