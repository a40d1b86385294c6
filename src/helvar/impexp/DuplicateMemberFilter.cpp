#include "helvar/impexp/DuplicateMemberFilter.h"

#include <algorithm>

#include "helvar/impexp/JsonPointerText.h"

namespace impexp {

namespace {

// Beyond this many names an object's names go into a set.
constexpr std::size_t kFewNames = 16;

}  // namespace

bool DuplicateMemberFilter::element() {
    if (!frames_.empty() && !frames_.back().object) ++frames_.back().elements;
    return true;
}

bool DuplicateMemberFilter::StartObject() {
    element();
    Frame frame;
    frame.object = true;
    frame.firstName = names_.size();
    frames_.push_back(std::move(frame));
    return next_.StartObject();
}

bool DuplicateMemberFilter::isRepeated(Frame& frame, std::string_view name) {
    const auto first = names_.begin() + static_cast<std::ptrdiff_t>(frame.firstName);
    if (!frame.many) {
        if (std::find(first, names_.end(), name) != names_.end()) return true;
        if (static_cast<std::size_t>(names_.end() - first) < kFewNames) return false;
        frame.many = std::make_unique<std::unordered_set<std::string_view>>(first, names_.end());
    }
    return !frame.many->insert(name).second;
}

bool DuplicateMemberFilter::Key(const char* text, rapidjson::SizeType length, bool copy) {
    const std::string_view name(text, length);
    const bool repeated = isRepeated(frames_.back(), name);
    // Kept even when repeated: the path names it.
    names_.push_back(name);
    if (repeated) {
        duplicate_ = true;
        return false;
    }
    return next_.Key(text, length, copy);
}

bool DuplicateMemberFilter::EndObject(rapidjson::SizeType memberCount) {
    names_.resize(frames_.back().firstName);
    frames_.pop_back();
    return next_.EndObject(memberCount);
}

bool DuplicateMemberFilter::StartArray() {
    element();
    Frame frame;
    frame.firstName = names_.size();
    frames_.push_back(std::move(frame));
    return next_.StartArray();
}

bool DuplicateMemberFilter::EndArray(rapidjson::SizeType elementCount) {
    frames_.pop_back();
    return next_.EndArray(elementCount);
}

std::string DuplicateMemberFilter::duplicatePath() const {
    rapidjson::Pointer pointer;
    for (std::size_t i = 0; i < frames_.size(); ++i) {
        const Frame& frame = frames_[i];
        if (frame.object) {
            // The name the object is at: the one before the next frame's first name, or the last.
            const std::size_t end = i + 1 < frames_.size() ? frames_[i + 1].firstName : names_.size();
            const std::string_view name = names_[end - 1];
            pointer = pointer.Append(name.data(), static_cast<rapidjson::SizeType>(name.size()));
        } else {
            pointer = pointer.Append(static_cast<rapidjson::SizeType>(frame.elements - 1));
        }
    }
    return toUriFragment(pointer);
}

}  // namespace impexp
