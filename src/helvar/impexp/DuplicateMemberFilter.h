#pragma once
// Passes a DOM's events on to the schema validator and stops at the first member name that occurs a
// second time in one object. A document this library writes never repeats a name, and readers
// disagree on which of two counts (rapidjson finds the first, Python and jq keep the last), so such
// a document is refused instead of read one way here and another way elsewhere.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include <rapidjson/schema.h>

namespace impexp {

class DuplicateMemberFilter {
public:
    explicit DuplicateMemberFilter(rapidjson::SchemaValidator& next) : next_(next) {}

    // The handler calls of GenericValue::Accept.
    bool Null() { return element() && next_.Null(); }
    bool Bool(bool b) { return element() && next_.Bool(b); }
    bool Int(int i) { return element() && next_.Int(i); }
    bool Uint(unsigned u) { return element() && next_.Uint(u); }
    bool Int64(int64_t i) { return element() && next_.Int64(i); }
    bool Uint64(uint64_t u) { return element() && next_.Uint64(u); }
    bool Double(double d) { return element() && next_.Double(d); }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool copy) {
        return element() && next_.RawNumber(text, length, copy);
    }
    bool String(const char* text, rapidjson::SizeType length, bool copy) {
        return element() && next_.String(text, length, copy);
    }
    bool StartObject();
    bool Key(const char* text, rapidjson::SizeType length, bool copy);
    bool EndObject(rapidjson::SizeType memberCount);
    bool StartArray();
    bool EndArray(rapidjson::SizeType elementCount);

    // Whether the walk stopped at a repeated name (rather than at the validator's refusal).
    bool foundDuplicate() const { return duplicate_; }
    // The repeated member, as a JSON Pointer in URI-fragment form ("#/devices/0/modelNumber").
    std::string duplicatePath() const;

private:
    // An open object or array. An object's names are compared one by one while it has few, as
    // every object of a sound document has; from then on through a set, so a hostile object with
    // very many names stays linear.
    struct Frame {
        bool object = false;
        std::size_t firstName = 0;  // index into names_
        std::size_t elements = 0;   // of an array, so far
        std::unique_ptr<std::unordered_set<std::string_view>> many;
    };

    // Counts a value that starts in an array.
    bool element();
    bool isRepeated(Frame& frame, std::string_view name);

    rapidjson::SchemaValidator& next_;
    std::vector<Frame> frames_;
    // The names of every open object, innermost last.
    std::vector<std::string_view> names_;
    bool duplicate_ = false;
};

}  // namespace impexp
