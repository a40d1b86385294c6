#pragma once
// A temporary folder tree of explanation files for one test.
#include <gtest/gtest.h>

#include "support/Portable.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace testing_xlator {

class TempTree {
public:
    TempTree() {
        root_ = testsupport::makeTemporaryFolder("orvxlator");
    }
    ~TempTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return root_; }
    std::string path(const std::string& relative) const { return root_ + "/" + relative; }

    // Writes bytes exactly as given, creating the folders on the way.
    std::string write(const std::string& relative, const std::string& bytes) const {
        const std::filesystem::path file = path(relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

private:
    std::string root_;
};

// An explanation file of the given definitions, lines ended by LF.
inline std::string explanationFile(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<orvdocument>\n" + body + "</orvdocument>\n";
}

}  // namespace testing_xlator
