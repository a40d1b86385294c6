-- The translator of the digitizer's statuses: static descriptions from the explanation files,
-- dynamic descriptions from the elaborations of a status document.
local cjson = require("cjson")
local utils = require("orvxlatorluautils")
local mxlUtils = require("orvmxl_utilities")

local mxlator = {}

mxlator.ThreeLetterLngStrings = { "eng", "fra", "deu", "jpn", "kor", "chs" }

local kNotFound = "Error description not found"
local kUnsupportedFormat = -52029 -- orvapalerr_unsupportedFormat
local kDefaultAttrTable = "orvmxl_defaultAttrTable"

-- Usage types whose value is an attribute id, shown by the attribute's name.
local attributeIdUsages = {
    kUsageTypeAttributeId = true,
    kUsageTypeAttributeIdentifier = true,
    kUsageTypeAffectedAttribute = true,
    kUsageTypeConflictingAttr = true,
    kUsageTypeConflictingProperty = true,
}

local function setting(name)
    local value = orvxlatorlua_settings[name]
    if type(value) == "string" and value ~= "" then
        return value
    end
    return nil
end

local function tryRequire(name)
    local ok, module = pcall(require, name)
    if ok and module ~= nil then
        return module
    end
    return nil
end

-- A raised error counts as nothing found.
local function protected(f, ...)
    local ok, result = pcall(f, ...)
    if ok then
        return result
    end
    return nil
end

function mxlator.getStaticDesc(code, language, ade)
    local separator = string.sub(package.config, 1, 1)
    local letters = mxlator.ThreeLetterLngStrings[language + 1] or "zzz"
    local folderName = mxlUtils.convertLangShortToLong(letters)
    local standardDir = setting("orvSharedErrorsDir")
    if standardDir then
        standardDir = protected(utils.expandPath, orvxlatorlua_name, standardDir)
    end
    if orvmxl_unmapErrorCode then
        code = orvmxl_unmapErrorCode(code)
    end

    -- The text is in the code page of the language it was found in, which is English after
    -- a fallback.
    local description, foundLanguage = nil, language
    local module = tryRequire("errors_" .. letters)
    if module then
        description = module.getString(code)
    else
        module = tryRequire("errors_eng")
        if module then
            description = module.getString(code)
            foundLanguage = 0
        end
    end

    local miDir, driver = setting("MIErrorsDir"), setting("driverName")
    if not description and miDir and driver then
        local folder = protected(utils.expandPath, orvxlatorlua_name, miDir)
        if folder then
            folder = folder .. separator .. driver .. separator
            description = protected(utils.findErrorDescriptionFromDir, folder .. folderName, code)
            foundLanguage = language
            if not description and folderName ~= "English" then
                description = protected(utils.findErrorDescriptionFromDir, folder .. "English", code)
                foundLanguage = 0
            end
        end
    end

    if not description and standardDir then
        description = protected(utils.findErrorDescriptionFromErrorsDir, standardDir, code, language)
        foundLanguage = language
        if not description then
            description = protected(utils.findErrorDescriptionFromErrorsDir, standardDir, code, 0)
            foundLanguage = 0
        end
    end

    if not description then
        description, foundLanguage = kNotFound, language
    end
    return utils.mbsToUtf8(foundLanguage, description)
end

local function valueText(value)
    if value == cjson.null then
        return "null"
    end
    -- A nested object or array is shown as its JSON text, not as a table's address.
    if type(value) == "table" then
        return cjson.encode(value)
    end
    return tostring(value)
end

function mxlator.getDynamicDesc(document, language, ade, format)
    if format ~= "json1" then
        return kUnsupportedFormat
    end
    local doc = cjson.decode(document)
    if type(doc) ~= "table" then
        error("the status document is not a JSON object")
    end
    local letters = mxlator.ThreeLetterLngStrings[language + 1]
    if not letters then
        letters, language = "zzz", 0
    end

    local driver = setting("driverName")
    local attrName = driver and (driver .. "_attributes_" .. letters) or kDefaultAttrTable
    local attrTable = tryRequire(attrName)
    if not attrTable and driver and letters ~= "eng" then
        attrTable = tryRequire(driver .. "_attributes_eng")
    end
    if not attrTable then
        attrTable = tryRequire(kDefaultAttrTable)
    end
    local internalError
    if not attrTable then
        internalError = "Cannot load " .. attrName .. "\n"
    end

    local terms = tryRequire("commonTerms_" .. letters) or tryRequire("commonTerms_eng")

    local function localized(text)
        return utils.mbsToUtf8(language, text)
    end
    local function label(name)
        name = valueText(name)
        return localized(terms and terms.getString(name) or name)
    end
    local function attribute(id)
        -- Ids are 32-bit; anything else would reach the C formatter out of its range.
        local number = tonumber(id) or 0
        if number ~= number or number < -2 ^ 31 or number >= 2 ^ 32 then
            number = 0
        elseif number < 0 then
            number = number + 2 ^ 32
        end
        local idText = string.format("%08X", math.floor(number))
        local found = attrTable and attrTable.getAttribute(idText)
        if found then
            return found
        end
        return { shortName = "0x" .. idText, enums = {} }
    end
    -- A scalar or an array of scalars, each turned into text by convert.
    local function converted(value, convert)
        if type(value) == "table" then
            local texts = mxlUtils.array()
            for i, element in ipairs(value) do
                texts[i] = convert(element)
            end
            return texts
        end
        return convert(value)
    end

    local dynamic = mxlUtils.array()
    local info = doc.translator_info
    local items = type(info) == "table" and info.ordered_data
    if type(items) == "table" then
        for _, item in ipairs(items) do
            local kind = type(item) == "table" and item.type
            if kind == "usage" then
                local entry = { type = "usage", key = label(item.usage) }
                local valueType = item.value_type
                if type(valueType) ~= "table" then
                    if item.value ~= nil then
                        entry.value = converted(item.value, function(value)
                            if attributeIdUsages[item.usage] then
                                return localized(attribute(value).shortName)
                            end
                            return valueText(value)
                        end)
                    end
                elseif valueType.type == "enum" then
                    local enums = attribute(valueType.id).enums or {}
                    entry.value = converted(item.value, function(value)
                        local text = enums[valueText(value)]
                        if text then
                            return localized(text)
                        end
                        return valueText(value)
                    end)
                end
                dynamic[#dynamic + 1] = entry
            elseif kind == "elaboration" or kind == "header" then
                dynamic[#dynamic + 1] = { type = kind, value = label(item.usage) }
            elseif kind == "empty" then
                dynamic[#dynamic + 1] = { type = "empty" }
            end
        end
    end

    local debugItems = mxlUtils.array()
    local function addDebug(key, value)
        debugItems[#debugItems + 1] = { type = "usage", key = key, value = value }
    end
    if doc.component ~= nil then
        addDebug("Component", valueText(doc.component))
    end
    if doc.file ~= nil then
        addDebug("File", valueText(doc.file))
    end
    if doc.line ~= nil then
        addDebug("Line", valueText(doc.line))
    end
    if internalError then
        addDebug("internal_error_string", internalError)
    end
    doc.translator_info, doc.component, doc.file, doc.line = nil, nil, nil, nil
    addDebug("rest_of_input_json", cjson.encode(doc))

    return mxlUtils.encode({ dynamic = dynamic, debug = debugItems })
end

return mxlator
