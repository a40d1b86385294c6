# The error explanation files: UTF-8 sources under data/errors/<Language>/, converted at build time
# into each language's Windows code page and installed in the shared folder of the build output:
#   <out>/shared/Errors/<Language>/*.txt
# Folder names match without regard to case, so the native translator's "errors" and the Lua
# translator's "Errors" both find this one tree. A registry file, <out>/registry.reg, points the
# shared-folder values at <out>/shared for the tools, tests and the main job.
# Also run in script mode (cmake -DINPUT= -DOUTPUT= -DCODE_PAGE= -DCHARSET= -P ...) to convert one file.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" text)
  # The declaration says what the delivered file holds.
  string(REGEX REPLACE "encoding=\"[^\"]*\"" "encoding=\"${CHARSET}\"" text "${text}")
  set(temporary "${OUTPUT}.utf8")
  file(WRITE "${temporary}" "${text}")
  execute_process(COMMAND iconv -f UTF-8 -t CP${CODE_PAGE} "${temporary}"
                  OUTPUT_FILE "${OUTPUT}.part" RESULT_VARIABLE result ERROR_VARIABLE message)
  file(REMOVE "${temporary}")
  if(NOT result EQUAL 0)
    file(REMOVE "${OUTPUT}.part")
    message(FATAL_ERROR "${INPUT} cannot be delivered in code page ${CODE_PAGE}: ${message}")
  endif()
  file(RENAME "${OUTPUT}.part" "${OUTPUT}")
  return()
endif()

set(ORV_SHARED_DIR ${ORV_OUT}/shared)
set(ORV_REGISTRY_FILE ${ORV_OUT}/registry.reg)

# Folder, code page, charset name of the declaration.
set(orv_error_languages
  English:1252:windows-1252 French:1252:windows-1252 German:1252:windows-1252
  Japanese:932:shift_jis Korean:949:euc-kr ChineseS:936:gbk)

set(orv_error_outputs)
foreach(row IN LISTS orv_error_languages)
  string(REPLACE ":" ";" entry ${row})
  list(GET entry 0 language)
  list(GET entry 1 codepage)
  list(GET entry 2 charset)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/errors/${language}/*.txt)
  foreach(source IN LISTS sources)
    get_filename_component(name ${source} NAME)
    set(output ${ORV_SHARED_DIR}/Errors/${language}/${name})
    add_custom_command(
      OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${ORV_SHARED_DIR}/Errors/${language}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${source} -DOUTPUT=${output} -DCODE_PAGE=${codepage} -DCHARSET=${charset}
              -P ${CMAKE_CURRENT_LIST_FILE}
      DEPENDS ${source} ${CMAKE_CURRENT_LIST_FILE}
      COMMENT "Delivering ${language}/${name} in code page ${codepage}"
      VERBATIM)
    list(APPEND orv_error_outputs ${output})
  endforeach()
endforeach()

# The 32-bit view is where the translators read the shared folder; the native one for completeness.
file(GENERATE OUTPUT ${ORV_REGISTRY_FILE} CONTENT
"Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Orvane\\Common\\Installer]
\"ORVSHAREDDIR\"=\"${ORV_SHARED_DIR}\"

[HKEY_LOCAL_MACHINE\\SOFTWARE\\Orvane\\Common\\Installer]
\"ORVSHAREDDIR64\"=\"${ORV_SHARED_DIR}\"
")

add_custom_target(orv_error_explanations ALL DEPENDS ${orv_error_outputs})
