#pragma once
// The COM face of an inner expert: converts between the host's wide strings and BSTRs and the
// inner UTF-8 strings, and turns every failure into an HRESULT.
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "explorer/SysExpert.h"
#include "quorrel/comsupport/ComObject.h"
#include "quorrel/sysapicpp/Expert.h"
#include "quorrel/sysapicpp/SyncNotificationHandler.h"

namespace sysapicpp {

// What every adapter shares, independent of the inner expert's type.
class ExpertAdapterBase : public IsvSysExpert2,
                          public IsvSysExpertPlugPlay,
                          public virtual CORVComObjectRootEx<CORVComMultiThreadModelNoCS> {
public:
    HRESULT GetID(GUID* id) override;
    HRESULT GetName(BSTR* name) override;
    HRESULT GetVersion(BSTR* version) override;
    HRESULT GetComponentName(BSTR* name) override;
    HRESULT Initialize() override;
    HRESULT Shutdown() override;
    HRESULT GetAllPropertyBags(IsvSysPropertyBagCollection* collection) override;
    HRESULT GetDeviceIDs(IsvSysEnumStringList** ids) override;
    HRESULT GetPropertyBag(const wchar_t* id, IsvSysPropertyBag** bag) override;
    HRESULT RefreshPropertyBag(const wchar_t* id, ULONG count, const ULONG* tags, BOOL flag,
                               IsvSysPropertyBag** bag) override;
    HRESULT Refresh() override;
    HRESULT ExecuteCommand(const wchar_t* id, const wchar_t* command, ULONG flags, BSTR* output,
                           ULONG* result) override;
    HRESULT ValidateProperties(const wchar_t* id, IUnknown* bag, IsvSysEnumPropertyTag** accepted,
                               BSTR* message) override;
    HRESULT CommitProperties(const wchar_t* id, IUnknown* bag, ULONG* result) override;
    HRESULT CommitPropertiesEx(const wchar_t* id, IUnknown* bag, ULONG* result, BSTR* message) override;
    HRESULT RegisterSink(IsvSysPlugPlaySink* sink) override;

    static const CORVComInterfaceEntry<ExpertAdapterBase>* interfaceMap();

    // Whether the host has initialised the expert (for diagnostics and tests).
    bool hasExpert();

    // The last Release without a Shutdown ends the expert as Shutdown does, sink first, while
    // this object still answers: no queued notification reaches the sink once the host let go,
    // and a sink call in progress may still call back into the sender.
    void finalRelease() noexcept;

protected:
    ExpertAdapterBase();
    ~ExpertAdapterBase() override;

    // A new inner expert reporting through the given handler.
    virtual std::shared_ptr<Expert> createExpert(SyncNotificationHandler& sync) = 0;

private:
    // The inner expert for one call; throws UnexpectedException before initialisation (the
    // host called too early: an error, not a crash).
    std::shared_ptr<Expert> expert();
    std::shared_ptr<Expert> currentExpert();
    // Runs body; maps whatever it throws, filling message when given.
    template <class Body>
    HRESULT guarded(BSTR* message, Body&& body) noexcept;
    HRESULT mapCurrentException(std::string& text) noexcept;
    HRESULT infoString(BSTR* out, void (ExpertInfo::*read)(std::string&));
    // Disconnects the sink (waiting for a sink call in progress), then destroys the expert.
    void endExpert();

    SyncNotificationHandler sync_;
    std::mutex expertLock_;
    // Shared with calls in flight, so that a shutdown on another thread never frees an expert
    // that is still running a call.
    std::shared_ptr<Expert> expert_;
};

template <class TExpert>
class ExpertAdapter : public ExpertAdapterBase {
protected:
    std::shared_ptr<Expert> createExpert(SyncNotificationHandler& sync) override {
        return std::make_shared<TExpert>(sync);
    }
};

}  // namespace sysapicpp
