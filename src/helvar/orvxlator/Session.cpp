#include "helvar/orvxlator/Session.h"

#include <cstdlib>
#include <new>

#include "common/orverr/JsonReader.h"
#include "helvar/orvxlator/DebugMembers.h"

namespace orvxlator {
namespace {

constexpr std::size_t kInitialCacheCapacity = 4;
constexpr const char* kDynamicFormat = "json1";

// Takes over a text the translator allocated with the C heap.
void takeText(char* result, std::string& text) {
    text = result;
    std::free(result);
}

}  // namespace

void DestroyLocalXlator::destroy(XlatorInterface* xlator) {
    if (xlator && xlator->destroy) xlator->destroy(xlator);
}

Session::Session(LocalXlatorRegistrations registrations, std::unique_ptr<XlatorManager> manager)
    : registrations_(registrations), manager_(std::move(manager)), exportedDeleter_(*manager_) {
    cache_.reserve(kInitialCacheCapacity);
}

Session::~Session() {
    for (CacheEntry& entry : cache_) entry.deleter->destroy(entry.xlator);
    cache_.clear();
    manager_.reset();
}

std::unique_ptr<Session> Session::create(orverr::Status& status) {
    return create(frameworkXlatorRegistrations(), status);
}

std::unique_ptr<Session> Session::create(LocalXlatorRegistrations registrations, orverr::Status& status) {
    if (status.isError()) return nullptr;
    try {
        return std::make_unique<Session>(registrations, makeXlatorManager());
    } catch (const std::bad_alloc&) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kMemoryFull), kDebugObject,
                  {{"debug", "failed to allocate Session memory"}});
        return nullptr;
    }
}

bool Session::append(const std::string& name, XlatorInterface* xlator, DestroyXlator& deleter) {
    try {
        cache_.push_back({name, xlator, &deleter});
        return true;
    } catch (const std::bad_alloc&) {
        deleter.destroy(xlator);
        return false;
    }
}

XlatorInterface* Session::getXlator(const std::string& name, orverr::Status& status) {
    if (status.isError()) return nullptr;
    for (const CacheEntry& entry : cache_) {
        if (entry.name == name) return entry.xlator;
    }
    for (std::size_t i = 0; i < registrations_.count; ++i) {
        const LocalXlatorRegistration& registration = registrations_.begin[i];
        if (name != registration.name) continue;
        XlatorInterface* xlator = registration.factory(name.c_str(), registration.registrationInfo, status);
        if (status.isError()) {
            if (xlator) localDeleter_.destroy(xlator);
            return nullptr;
        }
        if (!xlator || !append(name, xlator, localDeleter_)) return nullptr;
        return xlator;
    }
    XlatorInterface* xlator = manager_->createXlator(name.c_str(), status);
    if (!xlator || status.isError()) return nullptr;
    if (!append(name, xlator, exportedDeleter_)) return nullptr;
    return xlator;
}

bool Session::staticDescription(int32_t code, const std::string& xlatorName, uint32_t languageWord,
                                std::string& text, orverr::Status& status) {
    text.clear();
    XlatorInterface* xlator = getXlator(xlatorName, status);
    if (!xlator) return false;
    if (!xlator->getStaticDesc) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                  {{"debug", "xlator doesn't support getStaticDesc"}, {"xlatorName", xlatorName}});
        return false;
    }
    char* result = xlator->getStaticDesc(xlator, code, languageWord, &xlatorRealloc, nullptr, &status);
    if (!result) return false;
    takeText(result, text);
    return !status.isError();
}

bool Session::dynamicDescription(const char* document, uint32_t languageWord, std::string& text,
                                 orverr::Status& status) {
    text.clear();
    if (status.isError()) return false;
    const std::string name = orverr::readStringMember(document, "translator").value_or("");
    if (name.empty()) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                  {{"debug", "could not find translator key in json"}, {"json", document ? document : ""}});
        return false;
    }
    XlatorInterface* xlator = getXlator(name, status);
    if (!xlator) return false;
    if (!xlator->getDynamicDesc) {
        addObject(ORVERR_RAISE_INTO(status, orverr::codes::kResourceNotFound), kDebugObject,
                  {{"debug", "xlator doesn't support getDynamicDesc"}, {"xlatorName", name}});
        return false;
    }
    char* result = xlator->getDynamicDesc(xlator, document, languageWord, kDynamicFormat, &xlatorRealloc, nullptr,
                                          &status);
    if (!result) return false;
    takeText(result, text);
    return !status.isError();
}

}  // namespace orvxlator
