// The compiled form: component records, property entries and tagged values, as the stream holds them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace formc {

enum class ValueTag : std::uint8_t {
    Null = 0,
    List = 1,
    Integer8 = 2,
    Integer16 = 3,
    Integer32 = 4,
    Extended = 5,
    String = 6,
    Identifier = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LongString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WideString = 18,
    Integer64 = 19,
    Utf8String = 20,
};

struct CollectionItem;

struct Value {
    ValueTag tag = ValueTag::Null;
    std::int64_t integer = 0;           // integers; currency already × 10000
    std::string bytes;                  // floats (encoded), strings (encoded), identifiers, binary data
    std::vector<std::string> names;     // set elements
    std::vector<Value> elements;        // list
    std::vector<CollectionItem> items;  // collection
};

struct PropertyEntry {
    std::string path;  // "Font.Name"
    Value value;
};

struct CollectionItem {
    std::optional<Value> order;  // an integer value
    std::vector<PropertyEntry> properties;
};

// Prefix flags, written as 0xF0 + flags when any is set.
enum ComponentFlag : std::uint8_t {
    Inherited = 0x01,
    ChildPosition = 0x02,
    Inline = 0x04,
};

struct ComponentRecord {
    std::uint8_t flags = 0;
    std::optional<Value> childPosition;  // an integer value, present with the ChildPosition flag
    std::string className;
    std::string name;
    std::vector<PropertyEntry> properties;
    std::vector<ComponentRecord> children;
};

}  // namespace formc
