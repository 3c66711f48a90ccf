// Writes component records in the binary form stream format ("TPF0" and one root record).
#include "form_writer.h"

#include <stdexcept>

namespace formc {

namespace {

class StreamWriter {
public:
    std::string Finish() { return std::move(out_); }

    void Signature() { out_ += "TPF0"; }

    void Component(const ComponentRecord& component)
    {
        if (component.flags != 0) {
            Byte(0xF0 | component.flags);
            if (component.flags & ChildPosition)
                WriteValue(component.childPosition.value());
        }
        ShortString(component.className);
        ShortString(component.name);
        Properties(component.properties);
        for (const ComponentRecord& child : component.children)
            Component(child);
        Byte(0);  // end of the children
    }

private:
    void Byte(unsigned value) { out_.push_back(static_cast<char>(value & 0xFF)); }

    void LittleEndian(std::uint64_t value, int byteCount)
    {
        for (int i = 0; i < byteCount; ++i)
            Byte(static_cast<unsigned>(value >> (8 * i)));
    }

    void ShortString(const std::string& text)
    {
        if (text.size() > 255)
            throw std::logic_error("short string longer than 255 bytes: " + text.substr(0, 40));
        Byte(static_cast<unsigned>(text.size()));
        out_ += text;
    }

    void LongBytes(const std::string& bytes, std::size_t count)
    {
        if (count > 0xFFFFFFFFu)
            throw std::length_error("a value longer than 4 GB cannot be stored");
        LittleEndian(count, 4);
        out_ += bytes;
    }

    void Properties(const std::vector<PropertyEntry>& properties)
    {
        for (const PropertyEntry& entry : properties) {
            ShortString(entry.path);
            WriteValue(entry.value);
        }
        Byte(0);
    }

    void WriteValue(const Value& value)
    {
        Byte(static_cast<unsigned>(value.tag));
        const auto integer = static_cast<std::uint64_t>(value.integer);
        switch (value.tag) {
        case ValueTag::Null:
        case ValueTag::False:
        case ValueTag::True:
        case ValueTag::Nil: return;
        case ValueTag::List:
            for (const Value& element : value.elements)
                WriteValue(element);
            Byte(0);
            return;
        case ValueTag::Integer8: return LittleEndian(integer, 1);
        case ValueTag::Integer16: return LittleEndian(integer, 2);
        case ValueTag::Integer32: return LittleEndian(integer, 4);
        case ValueTag::Integer64:
        case ValueTag::Currency: return LittleEndian(integer, 8);
        case ValueTag::Extended:
        case ValueTag::Single:
        case ValueTag::Date:
            out_ += value.bytes;  // already encoded: 10, 4 or 8 bytes
            return;
        case ValueTag::String:
        case ValueTag::Identifier: return ShortString(value.bytes);
        case ValueTag::Binary:
        case ValueTag::LongString:
        case ValueTag::Utf8String: return LongBytes(value.bytes, value.bytes.size());
        case ValueTag::WideString: return LongBytes(value.bytes, value.bytes.size() / 2);
        case ValueTag::Set:
            for (const std::string& name : value.names)
                ShortString(name);
            Byte(0);
            return;
        case ValueTag::Collection:
            for (const CollectionItem& item : value.items) {
                if (item.order)
                    WriteValue(*item.order);
                Byte(static_cast<unsigned>(ValueTag::List));
                Properties(item.properties);
            }
            Byte(0);
            return;
        }
        throw std::logic_error("value with an unknown tag");
    }

    std::string out_;
};

}  // namespace

std::string WriteFormStream(const ComponentRecord& root)
{
    StreamWriter writer;
    writer.Signature();
    writer.Component(root);
    return writer.Finish();
}

}  // namespace formc
