// The translator framework session: cache, local registrations, the external manager (the
// stand-in liborvxlator.so in the system folder) and the native translator.
#include <gtest/gtest.h>

#include "support/Portable.h"

#include <cstdlib>
#include <string>

#include "SimXlatorManager.h"
#include "common/orverr/JsonReader.h"
#include "common/platform/CodePage.h"
#include "TempTree.h"
#include "helvar/orvxlator/NativeXlator.h"
#include "helvar/orvxlator/Session.h"

namespace {

using orvxlator::LocalXlatorRegistration;
using orvxlator::Session;
using orvxlator::XlatorInterface;
using testing_xlator::explanationFile;
using testing_xlator::TempTree;

std::string debugText(const orverr::Status& status, const char* name) {
    return orverr::readStringMember(orverr::findMember(status.text(), "orvxlator_debug"), name).value_or("");
}

// Points the system folder at the stand-ins, or at a folder without a manager.
class SystemFolder {
public:
    explicit SystemFolder(const std::string& path) { testsupport::setEnvironment("ORV_SYSTEM_DIR", path); }
    ~SystemFolder() { testsupport::unsetEnvironment("ORV_SYSTEM_DIR"); }
};

std::string libraryFolder() { return testsupport::libraryFolder(std::getenv("ORV_OUT")); }

int gCreated = 0;
int gDestroyed = 0;

void countedDestroy(XlatorInterface* xlator) {
    ++gDestroyed;
    delete xlator;
}

XlatorInterface* countedFactory(const char*, const char*, orverr::Status&) {
    ++gCreated;
    return new XlatorInterface{sizeof(XlatorInterface), &countedDestroy, nullptr, nullptr};
}

const LocalXlatorRegistration kCounted[] = {{"counted", "{}", &countedFactory}};

TEST(XlatorSession, ALocalTranslatorIsCreatedOnceAndDestroyedWithTheSession) {
    gCreated = gDestroyed = 0;
    {
        SystemFolder folder(libraryFolder());
        Session session({kCounted, 1}, orvxlator::makeXlatorManager());
        orverr::Status status;
        XlatorInterface* first = session.getXlator("counted", status);
        EXPECT_EQ(session.getXlator("counted", status), first);
        EXPECT_EQ(gCreated, 1);
        // No static descriptions: refused with the translator's name.
        std::string text;
        EXPECT_FALSE(session.staticDescription(1, "counted", 0, text, status));
        EXPECT_EQ(status.code, -52006);
        EXPECT_EQ(debugText(status, "debug"), "xlator doesn't support getStaticDesc");
        EXPECT_EQ(debugText(status, "xlatorName"), "counted");
    }
    EXPECT_EQ(gDestroyed, 1);
}

TEST(XlatorSession, TheManagerSuppliesItsTranslatorsAndRefusesUnknownNames) {
    SystemFolder folder(libraryFolder());
    {
        orverr::Status created;
        std::unique_ptr<Session> session = Session::create(created);
        ASSERT_TRUE(session);
        orverr::Status status;
        std::string text;
        EXPECT_TRUE(session->staticDescription(-7, SIM_XLATOR_MANAGER_TRANSLATOR, 3, text, status)) << status.text();
        EXPECT_EQ(text, "Status -7, described by the translator manager (language 3).");
        EXPECT_EQ(SimXlatorMgr_LiveTranslators(), 1);
        EXPECT_EQ(SimXlatorMgr_LiveSessions(), 1);
        EXPECT_TRUE(session->dynamicDescription("{\"translator\": \"simxlator_manager\"}", 0, text, status));
        EXPECT_NE(text.find("translator manager"), std::string::npos);
        EXPECT_EQ(SimXlatorMgr_LiveTranslators(), 1);

        EXPECT_EQ(session->getXlator("nobody", status), nullptr);
        EXPECT_EQ(status.code, -52006);
        EXPECT_NE(std::string(status.text()).find("no translator registered under this name"), std::string::npos);
    }
    EXPECT_EQ(SimXlatorMgr_LiveTranslators(), 0);
    EXPECT_EQ(SimXlatorMgr_LiveSessions(), 0);
}

TEST(XlatorSession, AMissingManagerFailsEveryExternalNameTheSameWayWhileLocalNamesWork) {
    TempTree empty;
    SystemFolder folder(empty.root());
    Session session({kCounted, 1}, orvxlator::makeXlatorManager());
    orverr::Status first;
    EXPECT_EQ(session.getXlator("external", first), nullptr);
    EXPECT_EQ(first.code, -52005);
    const std::string document = first.text();
    EXPECT_NE(document.find("failed to orvdynlib_load library"), std::string::npos) << document;
    EXPECT_NE(document.find(testsupport::libraryFile("orvxlator")), std::string::npos) << document;

    // Even once the manager is there, this session keeps its remembered failure.
    testsupport::setEnvironment("ORV_SYSTEM_DIR", libraryFolder());
    orverr::Status second;
    EXPECT_EQ(session.getXlator(SIM_XLATOR_MANAGER_TRANSLATOR, second), nullptr);
    EXPECT_EQ(second.code, first.code);
    EXPECT_STREQ(second.text(), document.c_str());

    orverr::Status local;
    EXPECT_NE(session.getXlator("counted", local), nullptr);
    EXPECT_EQ(local.code, 0);
}

TEST(XlatorSession, ADocumentWithoutTranslatorHasNoDynamicDescription) {
    Session session({kCounted, 1}, orvxlator::makeXlatorManager());
    const char* documents[] = {"{}", "{\"translator\": 5}", "{\"translator\": \"\"}", nullptr};
    for (const char* document : documents) {
        orverr::Status status;
        std::string text;
        EXPECT_FALSE(session.dynamicDescription(document, 0, text, status));
        EXPECT_EQ(status.code, -52006);
        EXPECT_EQ(debugText(status, "debug"), "could not find translator key in json");
    }
}

// Paths whose shared folder is a test's own.
class FixedPaths : public orvsysq::PathVariablesInterface {
public:
    explicit FixedPaths(std::string shared) : shared_(std::move(shared)) {}
    void lookupVariable(const std::string&, const std::string&, std::string& value, orverr::Status&) const override {
        value = shared_;
    }
    void expandPath(const std::string&, std::string&, orverr::Status&) const override {}

private:
    std::string shared_;
};

TEST(NativeTranslator, FallsBackToEnglishAndConvertsFromTheCodePageFoundIn) {
    TempTree tree;
    std::string japanese;
    ASSERT_TRUE(platform::utf8ToCodePage(932, "\xe8\xaa\xac\xe6\x98\x8e", japanese));  // "説明"
    tree.write("Errors/English/a.txt",
               explanationFile("<orverror code=\"1\">\nCaf\xe9 only in English.\n</orverror>\n"
                               "<orverror code=\"2\">\nEnglish two.\n</orverror>\n"));
    tree.write("Errors/Japanese/a.txt", explanationFile("<orverror code=\"2\">\n" + japanese + "\n</orverror>\n"));
    const FixedPaths paths(tree.root());
    const orvxlator::NativeDescriber describer(paths, orvxlator::explanationFiles());

    const struct {
        int32_t code;
        uint32_t language;
        const char* expected;
    } cases[] = {
        {1, 3, "Caf\xc3\xa9 only in English."},  // 1252, not 932
        {2, 3, "\xe8\xaa\xac\xe6\x98\x8e"},
        {2, 0, "English two."},
        {1, 4, "Caf\xc3\xa9 only in English."},  // no Korean folder at all
        {1, 9, "Caf\xc3\xa9 only in English."},  // invalid language: English
    };
    for (const auto& c : cases) {
        orverr::Status status;
        std::string text;
        EXPECT_TRUE(describer.describe(c.code, c.language, text, status)) << status.text();
        EXPECT_EQ(text, c.expected) << c.code << " in " << c.language;
    }

    orverr::Status status;
    std::string text;
    EXPECT_FALSE(describer.describe(3, 0x203, text, status));
    EXPECT_EQ(status.code, -52006);
    const char* debug = orverr::findMember(status.text(), "orvxlator_debug");
    EXPECT_EQ(orverr::readStringMember(debug, "orvxlator_defaultTranslator").value_or(""),
              "couldn't find description for code");
    EXPECT_EQ(orverr::readIntegerMember(debug, "lang").value_or(-1), 3);
    EXPECT_EQ(orverr::readIntegerMember(debug, "ade").value_or(-1), 2);
}

TEST(NativeTranslator, AnEnglishLookupErrorIsKept) {
    TempTree tree;
    const FixedPaths paths(tree.root());
    const orvxlator::NativeDescriber describer(paths, orvxlator::explanationFiles());
    orverr::Status status;
    std::string text;
    EXPECT_FALSE(describer.describe(1, 0, text, status));
    EXPECT_EQ(status.code, -52006);
    EXPECT_EQ(debugText(status, "debug"), "open dir failed");
}

}  // namespace
