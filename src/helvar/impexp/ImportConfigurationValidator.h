#pragma once
// The import validation of a parsed document against the session.
#include <map>
#include <string>

#include "helvar/impexp/AttributeTypeGetterInterface.h"
#include "helvar/impexp/EntryPositions.h"
#include "helvar/impexp/ImportConfigurationValidatorInterface.h"
#include "helvar/impexp/SessionInformation.h"
#include "helvar/orvslid/ChannelParser.h"

namespace impexp {

class ImportConfigurationValidator : public ImportConfigurationValidatorInterface {
public:
    ImportConfigurationValidator(const SessionInformation* session, AttributeTypeGetterInterface& typeGetter,
                                 const orvslid::iRepCapInfo& channels)
        : session_(session), typeGetter_(typeGetter), channels_(channels) {}

    void validate(const rapidjson::Document& document, JSONAttributeContainerInterface& container) override;
    // What can be checked of the document alone, with the format version last so that a document
    // of a newer library is first proven readable; the model number needs a session and is not
    // compared. The session information must hold the document's own channel list.
    void validateDocument(const rapidjson::Document& document, JSONAttributeContainerInterface& container);

    // Which "attributes" entry each record of the last validation came from.
    const EntryPositions& entryPositions() const { return positions_; }

private:
    using ChannelMap = std::map<std::string, std::string>;

    void checkFormatVersion(const rapidjson::Value& document) const;
    void checkModelNumbers(const rapidjson::Value& document) const;
    ChannelMap mapChannels(const rapidjson::Value& document) const;
    void checkVersionString(const rapidjson::Value& document) const;
    void collectEntries(const rapidjson::Value& document, const ChannelMap& channelMap,
                        JSONAttributeContainerInterface& container);
    AttributeType typeOf(ViAttr id, std::size_t index, const rapidjson::Value& entry);

    const SessionInformation* session_;
    AttributeTypeGetterInterface& typeGetter_;
    const orvslid::iRepCapInfo& channels_;
    EntryPositions positions_;
};

}  // namespace impexp
