#pragma once
// "$" variables of configured paths ("$_orvShared32Dir\Errors") and their expansion.
// Status-in/status-out: each operation does nothing when handed a status that holds an error.
#include <string>

#include "common/orverr/Status.h"
#include "helvar/orvsysq/SystemQuery.h"

namespace orvsysq {

class PathVariablesInterface {
public:
    virtual ~PathVariablesInterface() = default;
    // The value of a variable; names other than the standard ones are values of the
    // translator's plug-in key.
    virtual void lookupVariable(const std::string& translator, const std::string& name, std::string& value,
                                orverr::Status& status) const = 0;
    // Turns "/" into "\" and replaces every "$name" (ended by "\") by its value, repeatedly.
    virtual void expandPath(const std::string& translator, std::string& path, orverr::Status& status) const = 0;
};

class PathVariables : public PathVariablesInterface {
public:
    // Expansions of one path beyond this count are taken as a variable that refers to itself.
    static constexpr int kMaxExpansions = 64;

    explicit PathVariables(const SystemQueryInterface& system);

    void lookupVariable(const std::string& translator, const std::string& name, std::string& value,
                        orverr::Status& status) const override;
    void expandPath(const std::string& translator, std::string& path, orverr::Status& status) const override;

private:
    const SystemQueryInterface& system_;
};

// The process's paths, over the platform's registry and folders.
const PathVariablesInterface& pathVariables();

}  // namespace orvsysq
