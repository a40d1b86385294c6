#pragma once
// The inner expert the adapter forwards the host's calls to, with UTF-8 strings and bag handles.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "explorer/Com.h"
#include "quorrel/sysapicpp/PropertyBagHandle.h"

namespace sysapicpp {

using TagList = std::vector<uint32_t>;

class ExpertInfo {
public:
    virtual void getID(GUID& out) = 0;                 // 0
    virtual void getName(std::string& out) = 0;        // 1
    virtual void getVersion(std::string& out) = 0;     // 2
    virtual void getComponentName(std::string& out);   // 3: "Quorrel"
    virtual ~ExpertInfo() = default;                   // 4
};

class Expert : public ExpertInfo {
public:
    void getComponentName(std::string& out) override;
    virtual void getDeviceIDs(std::vector<std::string>& out) = 0;                                     // 5
    virtual void getAllPropertyBags(std::vector<PropertyBagHandle>& out) = 0;                         // 6
    virtual void getPropertyBag(PropertyBagHandle& out, const std::string& id) = 0;                   // 7
    virtual void refreshPropertyBag(PropertyBagHandle& out, const std::string& id, const TagList& tags,
                                    bool flag) = 0;                                                   // 8
    virtual void refresh() = 0;                                                                       // 9
    virtual void executeCommand(const std::string& id, const std::string& command, uint32_t flags,
                                std::string& output, uint32_t& result);                               // 10
    virtual void validateProperties(const std::string& id, const PropertyBagHandle& bag,
                                    std::set<uint32_t>& accepted, std::string& message) = 0;          // 11
    virtual void commitProperties(const std::string& id, const PropertyBagHandle& bag, uint32_t& result,
                                  std::string& message) = 0;                                          // 12
    // Inside a catch handler: the HRESULT for the exception in flight if this expert knows it
    // (message receives its text when given); rethrows what it does not know.
    virtual HRESULT translateCurrentException(std::string* message);                                  // 13
    virtual void unsupported14();                                                                     // 14
};

}  // namespace sysapicpp
