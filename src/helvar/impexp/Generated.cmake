# Texts compiled into the import/export component. Included by its CMakeLists.txt; also run in script mode
# (cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P Generated.cmake) to write one header.

if(CMAKE_SCRIPT_MODE_FILE)
  # A header holding the file as a raw string literal.
  file(READ "${INPUT}" text)
  string(FIND "${text}" ")orvtext\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${INPUT} contains the raw string delimiter")
  endif()
  get_filename_component(name "${INPUT}" NAME)
  set(content "#pragma once\n// Generated from ${name} at build time; edit the source file instead.\n")
  string(APPEND content "namespace orvgenerated {\ninline constexpr char ${SYMBOL}[] = R\"orvtext(${text})orvtext\";\n}\n")
  # Replaced only on change, so that dependants are not rebuilt needlessly.
  file(WRITE "${OUTPUT}.part" "${content}")
  file(COPY_FILE "${OUTPUT}.part" "${OUTPUT}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUTPUT}.part")
  return()
endif()

# The headers are this component's own: on its private include path only.
set(impexp_generated_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
target_include_directories(helvar_impexp PRIVATE ${impexp_generated_dir})

# helvar_embed_text(<source file> <header relative to the generated folder> <symbol>)
function(helvar_embed_text input header symbol)
  set(output ${impexp_generated_dir}/${header})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    DEPENDS ${input} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Embedding ${header}"
    VERBATIM)
  target_sources(helvar_impexp PRIVATE ${output})
endfunction()

helvar_embed_text(${PROJECT_SOURCE_DIR}/data/attribute-configuration.schema.json
                  helvar/impexp/document/GeneratedSchema.h kAttributeConfigurationSchema)
