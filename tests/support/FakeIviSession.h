#pragma once
// An in-memory IVI session behind the wrapper and desired-value interfaces, for tests of the
// import/export engine that need exact control over types, flags, channels and refusals.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/orverr/Raise.h"
#include "helvar/impexp/GetDesiredAttributeHelperInterface.h"
#include "helvar/miivi/IviWrapperInterface.h"
#include "support/NullIviWrapper.h"

namespace impexp_test {

inline constexpr ViStatus kUnknownAttribute = -1074135028;
inline constexpr ViStatus kUnknownChannel = -1074135008;
inline constexpr ViStatus kValueRefused = -1074135024;

struct FakeValue {
    int64_t integer = 0;
    double real = 0.0;
    std::string text;
    void* address = nullptr;
};

struct FakeAttribute {
    ViAttr id = 0;
    std::string name;
    ViInt32 type = IVI_VAL_INT32;
    IviAttrFlags flags = 0;
    std::string repCap;
    std::map<std::string, FakeValue> values;
    std::set<std::string> setByUser;
};

class FakeIviSession : public testing_support::NullIviWrapper {
public:
    // repCap instances.
    std::map<std::string, std::vector<std::string>> repCaps;
    std::vector<FakeAttribute> attributes;
    // Ids whose sets the engine refuses with kValueRefused.
    std::set<ViAttr> refusedSets;
    // Ids for which channel validation answers this warning.
    std::map<ViAttr, ViStatus> validationWarnings;
    // Every successful set, in order: id and channel.
    std::vector<std::pair<ViAttr, std::string>> setLog;
    // Warnings handed to set-error-info.
    std::vector<ViStatus> recordedWarnings;
    // Whether successful sets are logged (benchmarks turn it off).
    bool logSets = true;

    FakeAttribute& add(ViAttr id, const std::string& name, ViInt32 type, const std::string& repCap = "",
                       IviAttrFlags flags = 0) {
        FakeAttribute a;
        a.id = id;
        a.name = name;
        a.type = type;
        a.repCap = repCap;
        a.flags = flags;
        index_[id] = attributes.size();
        attributes.push_back(a);
        return attributes.back();
    }
    FakeAttribute* find(ViAttr id) {
        const auto found = index_.find(id);
        return found == index_.end() ? nullptr : &attributes[found->second];
    }
    FakeAttribute& at(ViAttr id) {
        FakeAttribute* a = find(id);
        if (a == nullptr) raise(kUnknownAttribute);
        return *a;
    }
    // Value of a channel, created as needed; marks it set by the user when asked.
    FakeValue& value(ViAttr id, const std::string& channel = "", bool byUser = true) {
        FakeAttribute& a = at(id);
        if (byUser) a.setByUser.insert(channel);
        return a.values[channel];
    }
    bool wasSet(ViAttr id, const std::string& channel = "") {
        FakeAttribute& a = at(id);
        return a.setByUser.count(channel) != 0;
    }

    [[noreturn]] static void raise(ViStatus status) { ORVERR_THROW_ENGINE(status); }

private:
    std::map<ViAttr, size_t> index_;

public:

    ViSession getSession() const override { return 77; }
    ViBoolean Ivi_SessionIsAvailable() override { return 1; }
    ViStatus Ivi_ValidateAttrForRepCapName(ViConstString channel, ViAttr id, bool) override {
        FakeAttribute& a = at(id);
        const std::string ch = channel ? channel : "";
        auto warning = validationWarnings.find(id);
        if (warning != validationWarnings.end()) return warning->second;
        if (ch.empty()) return 0;
        if (a.repCap.empty()) raise(kUnknownChannel);
        const auto& names = repCaps[a.repCap];
        for (const auto& n : names) {
            if (n == ch) return 0;
        }
        raise(kUnknownChannel);
    }
    ViStatus Ivi_GetNthRepCapName(ViConstString repCap, ViInt32 index, ViConstString* name, bool) override {
        const auto& names = repCaps[repCap];
        *name = index >= 1 && static_cast<size_t>(index) <= names.size() ? names[index - 1].c_str() : nullptr;
        return 0;
    }
    ViStatus Ivi_GetAttributeRepCapName(ViAttr id, ViConstString* repCap, bool) override {
        *repCap = at(id).repCap.c_str();
        return 0;
    }
    ViBoolean Ivi_AttributeIsAvailable(ViAttr id) override { return find(id) != nullptr ? 1 : 0; }

    static void store(FakeValue& f, ViReal64 v) { f.real = v; }
    static void store(FakeValue& f, ViConstString v) { f.text = v; }
    static void store(FakeValue& f, ViAddr v) { f.address = v; }
    template <class Integer>
    static void store(FakeValue& f, Integer v) {
        f.integer = v;
    }
    template <class T>
    ViStatus set(ViConstString channel, ViAttr id, ViInt32 options, ViInt32 type, T value) {
        FakeAttribute& a = at(id);
        if (a.type != type || refusedSets.count(id) != 0) raise(kValueRefused);
        const std::string ch = channel ? channel : "";
        store(a.values[ch], value);
        if (options & 1) a.setByUser.insert(ch);
        if (logSets) setLog.emplace_back(id, ch);
        return 0;
    }
#define FAKE_SET(suffix, Type, typeCode)                                                              \
    ViStatus Ivi_SetAttribute##suffix(ViConstString c, ViAttr id, ViInt32 o, Type v, bool) override { \
        return set(c, id, o, typeCode, v);                                                           \
    }
    FAKE_SET(ViInt32, ViInt32, IVI_VAL_INT32)
    FAKE_SET(ViInt64, ViInt64, IVI_VAL_INT64)
    FAKE_SET(ViReal64, ViReal64, IVI_VAL_REAL64)
    FAKE_SET(ViString, ViConstString, IVI_VAL_STRING)
    FAKE_SET(ViBoolean, ViBoolean, IVI_VAL_BOOLEAN)
    FAKE_SET(ViSession, ViSession, IVI_VAL_SESSION)
    FAKE_SET(ViAddr, ViAddr, IVI_VAL_ADDR)
#undef FAKE_SET
    ViStatus Ivi_GetNumAttributes(ViInt32* count, bool) override {
        *count = static_cast<ViInt32>(attributes.size());
        return 0;
    }
    ViStatus Ivi_GetNthAttribute(ViInt32 index, ViAttr* id, bool) override {
        *id = attributes.at(static_cast<size_t>(index - 1)).id;
        return 0;
    }
    ViStatus Ivi_GetAttributeFlags(ViAttr id, IviAttrFlags* flags, bool) override {
        *flags = at(id).flags;
        return 0;
    }
    ViStatus Ivi_GetAttributeType(ViAttr id, ViInt32* type, bool) override {
        *type = at(id).type;
        return 0;
    }
    ViStatus Ivi_GetAttributeName(ViAttr id, ViInt32 size, ViChar name[], bool) override {
        const std::string& n = at(id).name;
        const size_t count = std::min(n.size(), static_cast<size_t>(size - 1));
        n.copy(name, count);
        name[count] = '\0';
        return n.size() + 1 > static_cast<size_t>(size) ? static_cast<ViStatus>(n.size() + 1) : 0;
    }
    ViBoolean Ivi_AttributeWasSetByUser(ViConstString channel, ViAttr id) override {
        FakeAttribute* a = find(id);
        return a != nullptr && a->setByUser.count(channel ? channel : "") != 0 ? 1 : 0;
    }
    ViStatus Ivi_SetErrorInfo(ViBoolean, ViStatus primary, ViStatus, ViConstString, bool) override {
        recordedWarnings.push_back(primary);
        return 0;
    }
};

// Reads the stored value of the fake session: what the user asked for.
class FakeDesiredReader : public impexp::GetAttributeHelperInterface {
public:
    explicit FakeDesiredReader(FakeIviSession& session) : session_(session) {}
    int reads = 0;
    // Ids whose reads the driver refuses with kValueRefused.
    std::set<ViAttr> failingReads;

    void getAttributeViBoolean(miivi::IviWrapperInterface&, ViConstString c, ViAttr id, ViBoolean* v) override {
        *v = static_cast<ViBoolean>(get(c, id).integer);
    }
    void getAttributeViSession(miivi::IviWrapperInterface&, ViConstString c, ViAttr id, ViSession* v) override {
        *v = static_cast<ViSession>(get(c, id).integer);
    }
    void getAttributeViAddr(miivi::IviWrapperInterface&, ViConstString c, ViAttr id, ViAddr* v) override {
        *v = get(c, id).address;
    }
    void getAttributeViString(miivi::IviWrapperInterface&, ViConstString c, ViAttr id, std::string& v) override {
        v = get(c, id).text;
    }
    void getAttributeViReal64(miivi::IviWrapperInterface&, ViConstString c, ViAttr id, ViReal64* v) override {
        *v = get(c, id).real;
    }
    void getAttributeViInt64(miivi::IviWrapperInterface&, ViConstString c, ViAttr id, ViInt64* v) override {
        *v = get(c, id).integer;
    }
    void getAttributeViInt32(miivi::IviWrapperInterface&, ViConstString c, ViAttr id, ViInt32* v) override {
        *v = static_cast<ViInt32>(get(c, id).integer);
    }

private:
    const FakeValue& get(ViConstString channel, ViAttr id) {
        ++reads;
        if (failingReads.count(id) != 0) FakeIviSession::raise(kValueRefused);
        return session_.at(id).values[channel ? channel : ""];
    }
    FakeIviSession& session_;
};

}  // namespace impexp_test
