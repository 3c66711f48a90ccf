// A read-only stream over a resource of a module, read in place without copying.
#pragma once

#include <string>

#include "framework/core/memory_stream.h"
#include "platform/module.h"

class TResourceStream : public TCustomMemoryStream {
    DECLARE_CLASS(TResourceStream)
public:
    // Finds and loads resource `name` of `type` in `instance`; raises EResNotFound
    // "%s リソースが見つかりません" when it is not there or cannot be loaded.
    TResourceStream(HINSTANCE instance, const std::string& name, const char* type);
    ~TResourceStream() override;

    TResourceStream(const TResourceStream&) = delete;
    TResourceStream& operator=(const TResourceStream&) = delete;

    // Always raises EStreamError "読み込み専用リソース ストリームには書き込めません".
    std::int32_t Write(const void* buffer, std::int32_t count) override;

private:
    platform::ResourceData resource_;
};
