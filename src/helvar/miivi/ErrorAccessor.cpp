#include "helvar/miivi/ErrorAccessor.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/orverr/Raise.h"
#include "helvar/miivi/MxlWrapper.h"
#include "helvar/orvmxl/TextCut.h"

namespace miivi {
namespace {

constexpr ViAttr kPrimaryErrorAttribute = 1050101;
constexpr ViAttr kSecondaryErrorAttribute = 1050102;
constexpr ViAttr kErrorElaborationAttribute = 1050103;
constexpr ViInt32 kElaborationSize = 1024;
constexpr std::size_t kScratchSize = 4096;
constexpr ViInt32 kParameterPositions = 9;
constexpr const char* kSeparator = "\n\n";
constexpr const char* kNullParameterComment = "Null parameter received.";

// Text that fits a buffer of a given size with its NUL, each piece cut on a whole character.
class BoundedText {
public:
    BoundedText(std::size_t size, uint32_t codePage) : room_(size > 0 ? size - 1 : 0), codePage_(codePage) {}
    void append(const std::string& piece) {
        text_ += orvmxl::cutText(piece, room_ - text_.size(), codePage_);
    }
    bool empty() const { return text_.empty(); }
    const std::string& text() const { return text_; }

private:
    std::size_t room_;
    uint32_t codePage_;
    std::string text_;
};

bool isParameterError(IviWrapperInterface& wrapper, ViStatus code) {
    for (ViInt32 position = 1; position <= kParameterPositions; ++position) {
        if (wrapper.Ivi_ParamPositionError(position, true) == code) return true;
    }
    return false;
}

}  // namespace

std::string ErrorAccessor::codeDescription(uint32_t language, int32_t code, uint32_t flags) {
    orverr::Status status;
    ORVERR_RAISE_INTO(status, (orverr::ErrorCode{code, orverr::constants::kErrorCode}));
    std::string text;
    orverr::Status out;
    translator_->translate(status, language, flags | kTranslateStatic, text, out);
    if (out.isError()) text = kNoDescriptionText;
    translator_->discard(out);
    return text;
}

void ErrorAccessor::describeCode(uint32_t language, int32_t code, char* buffer, uint32_t flags) {
    if (!buffer) ORVERR_THROW(orverr::codes::kNullParameter).comment(kNullParameterComment).raise();
    const std::string text = orvmxl::cutText(codeDescription(language, code, flags), kDescriptionSize - 1,
                                             orvmxl::deliveryCodePage(language, flags));
    std::memcpy(buffer, text.c_str(), text.size() + 1);
}

int32_t ErrorAccessor::getError(uint32_t language, IviWrapperInterface& wrapper, bool skipParameterErrors,
                                int32_t* errorCode, int32_t bufferSize, char* description, uint32_t flags) {
    // A negative size would otherwise be taken as a huge buffer.
    if (bufferSize < 0) ORVERR_THROW(orverr::codes::kInvalidValue).usageInt32("kUsageTypeBufferSize", bufferSize).raise();
    if (bufferSize != 0 && (!errorCode || !description))
        ORVERR_THROW(orverr::codes::kNullParameter).comment(kNullParameterComment).raise();

    std::vector<ViChar> elaboration(kElaborationSize, '\0');
    ViStatus result =
        wrapper.Ivi_GetAttributeViString(nullptr, kErrorElaborationAttribute, 0, kElaborationSize, elaboration.data(), true);
    if (result < 0) return result;

    ViStatus primary = 0;
    ViStatus secondary = 0;
    if (bufferSize != 0) {
        ViChar ignored[256] = {0};
        result = wrapper.Ivi_GetErrorInfo(&primary, &secondary, ignored, true);
        if (result < 0) return result;
    } else {
        result = wrapper.Ivi_GetAttributeViInt32(nullptr, kPrimaryErrorAttribute, 0, &primary, true);
        if (result < 0) return result;
        result = wrapper.Ivi_GetAttributeViInt32(nullptr, kSecondaryErrorAttribute, 0, &secondary, true);
        if (result < 0) return result;
    }

    const uint32_t codePage = orvmxl::deliveryCodePage(language, flags);
    BoundedText text(bufferSize != 0 ? static_cast<std::size_t>(bufferSize) : kScratchSize, codePage);
    if (primary != 0) text.append(codeDescription(language, primary, flags));
    if (secondary != 0 && !(skipParameterErrors && isParameterError(wrapper, secondary))) {
        if (!text.empty()) text.append(kSeparator);
        text.append(codeDescription(language, secondary, flags));
    }
    const std::string elaborationText(elaboration.data());
    if (!elaborationText.empty()) {
        if (!text.empty()) text.append(kSeparator);
        text.append(elaborationText);
    }

    if (errorCode) *errorCode = primary;
    if (bufferSize != 0) {
        std::memcpy(description, text.text().c_str(), text.text().size() + 1);
        return 0;
    }
    if (text.empty() && primary == 0) return 0;
    return static_cast<int32_t>(text.text().size() + 1);
}

ErrorAccessorInterface& errorAccessor() {
    static MxlWrapper translator;
    static ErrorAccessor accessor(translator);
    return accessor;
}

}  // namespace miivi
