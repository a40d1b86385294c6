#pragma once
// Shared pieces of the debug configuration tests: a scratch folder laid out like the common
// application data folder, direct file access, and status inspection.
#include <cjson/cJSON.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "common/orverr/Exception.h"
#include "common/platform/KnownFolders.h"
#include "support/Portable.h"

namespace debugconfigtest {

class ScratchFolder {
public:
    ScratchFolder() {
        root_ = testsupport::makeTemporaryFolder("orv-debugconfig-");
        EXPECT_FALSE(root_.empty());
        std::filesystem::create_directories(configFolder());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& root() const { return root_; }
    std::string configFolder() const { return root_ + "/Orvane/Shared/Quorrel"; }
    std::string configFile() const { return configFolder() + "/Quorrel.config"; }

private:
    std::string root_;
};

// The common application data folder of a test.
class FixedFolders final : public platform::KnownFoldersInterface {
public:
    // result: what the shell-folder query answers (0 or a negative HRESULT).
    explicit FixedFolders(std::string folder, int32_t result = 0) : folder_(std::move(folder)), result_(result) {}
    bool shellFolder(int32_t folderId, std::string& path, platform::OsError& error) const override {
        error.code = folderId != platform::folder::kCommonAppData ? platform::kInvalidArgumentResult : result_;
        if (error.code < 0) return false;
        path = folder_;
        return true;
    }
    std::string temporaryFolder() const override { return "/tmp/"; }

private:
    std::string folder_;
    int32_t result_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

using Json = std::unique_ptr<cJSON, void (*)(cJSON*)>;

inline Json parseJson(const std::string& text) { return Json(cJSON_Parse(text.c_str()), &cJSON_Delete); }

// Runs call, which must throw orverr::Exception; returns its code and document text.
struct Raised {
    int32_t code = 0;
    std::string document;
};

inline Raised raisedBy(const std::function<void()>& call) {
    try {
        call();
    } catch (const orverr::Exception& e) {
        return Raised{e.code(), e.what()};
    }
    ADD_FAILURE() << "no status exception";
    return Raised{};
}

}  // namespace debugconfigtest
