#include "DocumentFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include <rapidjson/pointer.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include "Commands.h"
#include "DriverSession.h"
#include "Helvar.h"
#include "Report.h"
#include "helvar/impexp/document/DocumentConstants.h"

namespace helvartool {
namespace {

// The buffer check takes a signed 32-bit size.
constexpr std::size_t kMaxDocumentBytes = (std::size_t{1} << 31) - 1;

bool readAll(const std::string& path, std::string& text, std::string& reason) {
    std::ifstream file;
    std::istream* in = &std::cin;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file) {
            reason = std::strerror(errno);
            return false;
        }
        in = &file;
    }
    std::ostringstream content;
    content << in->rdbuf();
    if (in->bad()) {
        reason = "cannot be read";
        return false;
    }
    text = content.str();
    if (text.size() > kMaxDocumentBytes) {
        reason = "too large (2 GiB or more)";
        return false;
    }
    return true;
}

namespace key = impexp::document::key;

std::string stringOf(const rapidjson::Value& value) { return std::string(value.GetString(), value.GetStringLength()); }

}  // namespace

const rapidjson::Value* memberAt(const rapidjson::Value& root, const char* pointer) {
    return rapidjson::Pointer(pointer).Get(root);
}

std::string valueText(const rapidjson::Value* value) {
    if (!value) return "-";
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
    value->Accept(writer);
    return std::string(buffer.GetString(), buffer.GetSize());
}

const char* impliedType(const rapidjson::Value* value) {
    if (!value) return "-";
    if (value->IsBool()) return "ViBoolean";
    if (value->IsString()) return "ViString";
    if (value->IsInt()) return "ViInt32";
    if (value->IsInt64()) return "ViInt64";
    if (value->IsNumber()) return "ViReal64";
    return "-";
}

int readDocumentFile(const std::string& path, DocumentFile& document, std::ostream& err) {
    document.path = path;
    std::string text;
    std::string reason;
    if (!readAll(path, text, reason)) {
        err << "helvar: " << (path == "-" ? std::string("standard input") : path) << ": " << reason << "\n";
        return kEnvironment;
    }
    const ViStatus status = Helvar_CheckAttributeConfigurationBuffer(static_cast<ViInt32>(text.size()), text.c_str());
    if (status == HELVAR_ERROR_LIBRARY_OUT_OF_DATE) {
        document.notes.push_back("written by a newer library (oldest compatible format version above this library's): "
                                 "an import refuses it; read here as it stands");
        DriverSession::takePendingError(VI_NULL);
    } else if (status < 0) {
        reportFailure(err, (path + ": not a valid document; check").c_str(), status, VI_NULL);
        byteOrderMarkHint(err, status, path);
        return kEnvironment;
    }
    // The check has proven the text well-formed and of the document's shape.
    document.dom.Parse(text.c_str(), text.size());
    std::size_t position = 0;
    for (const rapidjson::Value& item : document.dom[key::kAttributes].GetArray()) {
        DocumentEntry entry;
        entry.position = ++position;
        entry.id = item[key::kId].GetUint();
        entry.name = stringOf(item[key::kName]);
        entry.channel = stringOf(item[key::kChannel]);
        const auto value = item.FindMember(key::kValue);
        entry.value = value == item.MemberEnd() ? nullptr : &value->value;
        document.entries.push_back(std::move(entry));
    }
    return kOk;
}

}  // namespace helvartool
