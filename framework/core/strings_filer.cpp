// The stored property "Strings" of every string list ("Lines.Strings" in a form resource).
#include "framework/core/reader.h"
#include "framework/core/strings.h"

void TStrings::DefineProperties(TFiler& filer)
{
    auto* ancestor = dynamic_cast<TStrings*>(filer.Ancestor());
    bool hasData = ancestor ? !Equals(*ancestor) : (filer.Ancestor() != nullptr || Count() > 0);
    filer.DefineProperty(
        "Strings",
        [this](TReader& reader) {
            reader.ReadListBegin();
            {
                TUpdateBracket update(*this);
                Clear();
                while (!reader.EndOfList())
                    Add(reader.ReadString());
            }
            reader.ReadListEnd();
        },
        nullptr, hasData);
}
