#include "helvar/orvxlator/NativeXlator.h"

#include <cstring>

#include "common/platform/CodePage.h"
#include "helvar/orvxlator/DebugMembers.h"
#include "helvar/orvxlator/Languages.h"
#include "helvar/orvxlator/LocalXlatorRegistration.h"

namespace orvxlator {
namespace {

constexpr const char* kSharedFolderVariable = "_orvShared32Dir";
constexpr const char* kErrorsFolder = "errors";
constexpr uint32_t kEnglish = 0;

void destroyNothing(XlatorInterface*) {}

char* nativeStaticDesc(XlatorInterface*, int32_t code, uint32_t languageWord, XlatorReallocFunction allocate,
                       void* context, orverr::Status* status) {
    if (!status || status->isError()) return nullptr;
    std::string text;
    if (!nativeDescriber().describe(code, languageWord, text, *status)) return nullptr;
    char* result = static_cast<char*>(allocate(nullptr, text.size() + 1, context, status));
    if (!result) return nullptr;
    std::memcpy(result, text.c_str(), text.size() + 1);
    return result;
}

XlatorInterface gNativeXlator{sizeof(XlatorInterface), &destroyNothing, &nativeStaticDesc, nullptr};

}  // namespace

NativeDescriber::NativeDescriber(const orvsysq::PathVariablesInterface& paths, const ExplanationFiles& files)
    : paths_(paths), files_(files) {}

bool NativeDescriber::describe(int32_t code, uint32_t languageWord, std::string& text, orverr::Status& status) const {
    lookup(code, languageWord, text, status);
    if (status.isError()) return false;
    if (text.empty()) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                  {{"orvxlator_defaultTranslator", "couldn't find description for code"},
                   {"code", code},
                   {"lang", languageOf(languageWord)},
                   {"ade", adeOf(languageWord)}});
        return false;
    }
    return true;
}

void NativeDescriber::lookup(int32_t code, uint32_t languageWord, std::string& text, orverr::Status& status) const {
    text.clear();
    if (status.isError()) return;
    std::string folder;
    paths_.lookupVariable(kDefaultXlatorName, kSharedFolderVariable, folder, status);
    if (status.isError()) return;
    folder += "\\";
    folder += kErrorsFolder;

    orverr::Status lookup;
    uint32_t used = languageOf(languageWord);
    files_.findInErrorsFolder(folder, code, used, text, lookup);
    if (used != kEnglish && (lookup.isError() || text.empty())) {
        lookup.release();
        used = kEnglish;
        files_.findInErrorsFolder(folder, code, used, text, lookup);
    }
    if (lookup.isError()) {
        orverr::assign(status, lookup);
        text.clear();
        return;
    }
    if (text.empty()) return;
    // The text is in the code page of the language it was found in, English for the fallback.
    std::string utf8;
    if (!platform::codePageToUtf8(findLanguage(used)->codePage, text, utf8)) {
        addObject(ORVERR_RAISE_INTO(status, (orverr::ErrorCode{orverr::codes::kInvalidParameter.code,
                                                               orverr::constants::kConverterError})),
                  kDebugObject, {{"debug", "code page conversion failed"}, {"lang", used}});
        text.clear();
        return;
    }
    text = std::move(utf8);
}

const NativeDescriber& nativeDescriber() {
    static const NativeDescriber describer(orvsysq::pathVariables(), explanationFiles());
    return describer;
}

XlatorInterface* nativeXlator() { return &gNativeXlator; }

XlatorInterface* createNativeXlator(const char*, const char*, orverr::Status& status) {
    return status.isError() ? nullptr : nativeXlator();
}

LocalXlatorRegistrations frameworkXlatorRegistrations() {
    static const LocalXlatorRegistration kRegistrations[] = {kNativeXlatorRegistration};
    return {kRegistrations, 1};
}

}  // namespace orvxlator
