// The storage content when no description file is named: simulated digitizers the expert shows,
// and devices it must not show (no "HSDR" in the class text, lower-case "hsdr", attribute
// 12426 false or missing, invalid state, simulated through IVI, another storage class).
#include "DefaultDescription.h"

namespace orvsim {
namespace storage {

const char* defaultDescription() {
    return R"json({
  "classes": [
    {"id": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}", "name": "HSDR-5162",
     "attributes": {"10817": "Orvane Digiscan HSDR-5162 Digitizer", "12426": true}},
    {"id": "{5C1A0002-7E2B-4D3C-9F10-0A1B2C3D4E02}", "name": "HSDR-5185",
     "attributes": {"10817": "Orvane HSDR-5185 USB Digitizer", "12426": true}},
    {"id": "{5C1A0003-7E2B-4D3C-9F10-0A1B2C3D4E03}", "name": "Digiscan 5114",
     "attributes": {"10817": "Orvane Digiscan 5114 Digitizer", "12426": true}},
    {"id": "{5C1A0004-7E2B-4D3C-9F10-0A1B2C3D4E04}", "name": "hsdr prototype",
     "attributes": {"10817": "Orvane hsdr-5100 Prototype", "12426": true}},
    {"id": "{5C1A0005-7E2B-4D3C-9F10-0A1B2C3D4E05}", "name": "HSDR-5160 without debug",
     "attributes": {"10817": "Orvane Digiscan HSDR-5160 Digitizer", "12426": false}},
    {"id": "{5C1A0006-7E2B-4D3C-9F10-0A1B2C3D4E06}", "name": "HSDR-5164 unregistered",
     "attributes": {"10817": "Orvane Digiscan HSDR-5164 Digitizer"}}
  ],
  "objects": [
    {"id": "{D1A50001-0C2E-4B7A-8E11-5A0000000001}", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
     "properties": {"9553": "Digiscan1", "1585": "HSDR-5162", "8998": 12582},
     "attributes": {"8999": 1, "9000": 4, "12116": 2, "12117": 0}},
    {"id": "{D1A50002-0C2E-4B7A-8E11-5A0000000002}", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
     "properties": {"9553": "Digiscan2", "1585": "HSDR-5162", "8998": 12583},
     "attributes": {"8999": 2, "9000": 7, "12116": 0}},
    {"id": "{D1A50003-0C2E-4B7A-8E11-5A0000000003}", "class": "{5C1A0002-7E2B-4D3C-9F10-0A1B2C3D4E02}",
     "properties": {"9553": "Digiscan3", "1585": "HSDR-5185", "8998": 12586},
     "attributes": {"12117": 305419896}},
    {"id": "{D1A50004-0C2E-4B7A-8E11-5A0000000004}", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
     "simulated": true,
     "properties": {"9553": "SimDigiscan", "1585": "HSDR-5162 (simulated)", "8998": 12582},
     "attributes": {"8999": 9, "9000": 9, "12116": 9}},
    {"id": "{D1A50005-0C2E-4B7A-8E11-5A0000000005}", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
     "properties": {"9553": "Digiscan5", "1585": "HSDR-5162", "8998": 12590}},
    {"id": "{D1A50006-0C2E-4B7A-8E11-5A0000000006}", "class": "{5C1A0003-7E2B-4D3C-9F10-0A1B2C3D4E03}",
     "properties": {"9553": "Scope6", "1585": "Digiscan 5114", "8998": 12582},
     "attributes": {"8999": 1, "9000": 5, "12116": 0}},
    {"id": "{D1A50007-0C2E-4B7A-8E11-5A0000000007}", "class": "{5C1A0004-7E2B-4D3C-9F10-0A1B2C3D4E04}",
     "properties": {"9553": "Proto7", "1585": "hsdr-5100", "8998": 12582},
     "attributes": {"8999": 1, "9000": 6, "12116": 0}},
    {"id": "{D1A50008-0C2E-4B7A-8E11-5A0000000008}", "class": "{5C1A0005-7E2B-4D3C-9F10-0A1B2C3D4E05}",
     "properties": {"9553": "NoDebug8", "1585": "HSDR-5160", "8998": 12582},
     "attributes": {"8999": 1, "9000": 8, "12116": 0}},
    {"id": "{D1A50009-0C2E-4B7A-8E11-5A0000000009}", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
     "invalidState": true,
     "properties": {"9553": "Broken9", "1585": "HSDR-5162", "8998": 12582},
     "attributes": {"8999": 1, "9000": 9, "12116": 0}},
    {"id": "{D1A5000A-0C2E-4B7A-8E11-5A000000000A}", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
     "iviSimulated": true,
     "properties": {"9553": "IviSim10", "1585": "HSDR-5162", "8998": 12582}},
    {"id": "{D1A5000B-0C2E-4B7A-8E11-5A000000000B}", "class": "{5C1A0001-7E2B-4D3C-9F10-0A1B2C3D4E01}",
     "storageClass": 9001,
     "properties": {"9553": "Chassis11", "1585": "PXI chassis", "8998": 12582}},
    {"id": "{D1A5000C-0C2E-4B7A-8E11-5A000000000C}", "class": "{5C1A0006-7E2B-4D3C-9F10-0A1B2C3D4E06}",
     "properties": {"9553": "Unregistered12", "1585": "HSDR-5164", "8998": 12582},
     "attributes": {"8999": 1, "9000": 12, "12116": 0}}
  ]
}
)json";
}

}  // namespace storage
}  // namespace orvsim
