#include "helvar/orvmxl/TranslateStatus.h"

#include <memory>

#include "common/platform/CodePage.h"
#include "helvar/orvmxl/LocalXlatorRegistrations.h"
#include "helvar/orvxlator/DebugMembers.h"
#include "helvar/orvxlator/Languages.h"
#include "helvar/orvxlator/ReportFormatter.h"

namespace orvmxl {
namespace {

void format(orvxlator::SessionInterface& session, const orverr::Status& in, uint32_t language, uint32_t flags,
            std::string& text, orverr::Status& out) {
    orvxlator::json1::translateErrStatusToRawText(session, in.code, in.json, language, flags, text, out);
}

void retry(std::string& text, orverr::Status& out) {
    out.release();
    text.clear();
}

void deliver(uint32_t language, uint32_t flags, std::string& text, orverr::Status& out) {
    if (!(flags & kLocalCodePage)) return;
    const orvxlator::Language* found = orvxlator::findLanguage(language);
    if (!found) {
        orvxlator::addObject(ORVERR_RAISE_INTO(out, orverr::codes::kInvalidParameter), orvxlator::kDebugObject,
                             {{"gxerrorsparser", "invalid language"}, {"lang", language}});
        return;
    }
    std::string converted;
    if (!platform::utf8ToCodePage(found->codePage, text, converted)) {
        orvxlator::addObject(ORVERR_RAISE_INTO(out, (orverr::ErrorCode{orverr::codes::kInvalidParameter.code,
                                                                       orverr::constants::kConverterError})),
                             orvxlator::kDebugObject, {{"debug", "code page conversion failed"}, {"lang", language}});
        return;
    }
    text = std::move(converted);
}

}  // namespace

void translateStatus(orvxlator::SessionInterface& session, const orverr::Status& in, uint32_t language,
                     uint32_t flags, std::string& text, orverr::Status& out) {
    if (in.code == 0 || out.isError()) return;
    const uint32_t parts = flags & (kStatic | kDynamic | kDebug | kNested);
    format(session, in, language, parts, text, out);
    if (out.isError() && (parts & kNested)) {
        retry(text, out);
        format(session, in, language, parts & ~kNested, text, out);
    }
    if (out.isError() && (parts & kStatic)) {
        retry(text, out);
        format(session, in, language, kStatic, text, out);
    }
    if (out.isError() && (parts & kStatic)) {
        retry(text, out);
        // At least the plain description of the code.
        orverr::Status plain;
        ORVERR_RAISE_INTO(plain, (orverr::ErrorCode{in.code, orverr::constants::kStatusInCode}));
        format(session, plain, language, kStatic, text, out);
    }
    deliver(language, flags, text, out);
    if (out.isError()) {
        if (!text.empty()) text += "\n\n";
        text += out.text();
    }
}

void translateStatus(const orverr::Status& in, uint32_t language, uint32_t flags, std::string& text,
                     orverr::Status& out) {
    if (in.code == 0 || out.isError()) return;
    std::unique_ptr<orvxlator::Session> session = orvxlator::Session::create(localXlatorRegistrations(), out);
    if (!session) {
        text.clear();
        return;
    }
    translateStatus(*session, in, language, flags, text, out);
}

}  // namespace orvmxl
