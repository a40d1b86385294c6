#include "NameCheck.h"

#include <rapidjson/document.h>

#include <ostream>

#include "helvar/impexp/document/DocumentConstants.h"

namespace helvartool {

void warnAboutNames(std::ostream& out, const std::string& document, const DriverSession& session) {
    namespace key = impexp::document::key;
    rapidjson::Document parsed;
    parsed.Parse(document.data(), document.size());
    if (parsed.HasParseError() || !parsed.IsObject()) return;
    const auto attributes = parsed.FindMember(key::kAttributes);
    if (attributes == parsed.MemberEnd() || !attributes->value.IsArray()) return;
    rapidjson::SizeType position = 0;
    for (const rapidjson::Value& entry : attributes->value.GetArray()) {
        ++position;
        if (!entry.IsObject()) continue;
        const auto id = entry.FindMember(key::kId);
        const auto name = entry.FindMember(key::kName);
        if (id == entry.MemberEnd() || name == entry.MemberEnd() || !id->value.IsUint() || !name->value.IsString()) continue;
        const std::string given(name->value.GetString(), name->value.GetStringLength());
        const std::string own = session.attributeName(static_cast<ViAttr>(id->value.GetUint()));
        if (own.empty() || own == given) continue;
        out << "warning: entry " << position << " (id " << id->value.GetUint() << ") is named \"" << given
            << "\", but the session's name for that id is \"" << own << "\"; the id is what counts\n";
    }
}

}  // namespace helvartool
