# Generates the driver's table of status meanings from the UTF-8 explanation sources, so that the
# driver says what the explanation files say (cmake -DINPUT=<file;...> -DOUTPUT=<header> -P ...).
# The driver describes the codes of its range: the IVI status family above the engine's own block
# (0xBFFA1000-0xBFFAFFFF and the warnings 0x3FFA1000-0x3FFAFFFF), Helvar's codes among them. The
# engine's statuses (0xBFFA0000-0xBFFA0FFF, 0x3FFA0000-0x3FFA0FFF and VISA's 0xBFFC0000 block)
# are listed apart: the engine describes those. The driver's texts are English and ASCII.
set(meanings "")
set(engine_codes "")
foreach(input IN LISTS INPUT)
  file(READ "${input}" text)
  string(REPLACE "\r" "" text "${text}")
  # Keep CMake's list syntax out of the texts while they pass through lists.
  string(REPLACE ";" "@SEMICOLON@" text "${text}")
  string(REPLACE "[" "@OPEN@" text "${text}")
  string(REPLACE "]" "@CLOSE@" text "${text}")
  string(REGEX REPLACE "<orvcomment>[^<]*</orvcomment>" "" text "${text}")
  string(REGEX MATCHALL "<orverror code=\"[^\"]*\">\n[^<]*\n</orverror>" definitions "${text}")
  foreach(definition IN LISTS definitions)
    string(REGEX MATCH "^<orverror code=\"([^\"]*)\">\n([^<]*)\n</orverror>$" matched "${definition}")
    set(code "${CMAKE_MATCH_1}")
    set(description "${CMAKE_MATCH_2}")
    if(NOT code MATCHES "^-?[0-9]+$")
      message(FATAL_ERROR "${input}: code ${code} is not decimal")
    endif()
    math(EXPR family "(${code}) & 0x7FFF0000" OUTPUT_FORMAT HEXADECIMAL)
    math(EXPR low "(${code}) & 0xFFFF")
    if(family STREQUAL "0x3ffa0000" AND low GREATER_EQUAL 4096)
      string(REGEX REPLACE "[ -~\n]" "" foreign "${description}")
      if(NOT foreign STREQUAL "")
        message(FATAL_ERROR "${input}: the description of ${code} is not ASCII")
      endif()
      string(REPLACE "\\" "\\\\" description "${description}")
      string(REPLACE "\"" "\\\"" description "${description}")
      string(REPLACE "\n" "\\n" description "${description}")
      string(REPLACE "@SEMICOLON@" ";" description "${description}")
      string(REPLACE "@OPEN@" "[" description "${description}")
      string(REPLACE "@CLOSE@" "]" description "${description}")
      string(APPEND meanings "    {${code}, \"${description}\"},\n")
    elseif(family STREQUAL "0x3ffa0000" OR family STREQUAL "0x3ffc0000")
      string(APPEND engine_codes "    ${code},\n")
    endif()
  endforeach()
endforeach()

file(WRITE "${OUTPUT}.part"
"// Generated at build time from the explanation sources by StatusCodes.cmake: do not edit.
#pragma once
#include \"IviTypes.h\"

namespace digiscan {

struct StatusMeaning {
    ViStatus code;
    const char* text;
};

// The driver's meanings of the codes of its range.
inline constexpr StatusMeaning kStatusMeanings[] = {
${meanings}};

// The engine's statuses that the explanation files describe (the engine's own texts say them).
inline constexpr ViStatus kEngineStatuses[] = {
${engine_codes}};

}  // namespace digiscan
")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
