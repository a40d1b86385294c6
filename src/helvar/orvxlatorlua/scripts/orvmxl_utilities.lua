-- Helpers shared by the translator scripts and the term tables.
local cjson = require("cjson")

local utilities = {}

local shortToLong = {
    eng = "English", fra = "French", deu = "German", jpn = "Japanese", kor = "Korean", chs = "ChineseS",
    zzz = "Zzzzzzz",
}
local longToShort = {
    English = "eng", French = "fra", German = "deu", Japanese = "jpn", Korean = "kor", ChineseS = "chs",
}

function utilities.convertLangShortToLong(code)
    return shortToLong[code]
end

function utilities.convertLangLongToShort(name)
    return longToShort[name]
end

-- Prints a table, two spaces of indentation per level.
function utilities.tprint(t, indent)
    indent = indent or 0
    for key, value in pairs(t) do
        local prefix = string.rep("  ", indent) .. tostring(key) .. ":"
        if type(value) == "table" then
            print(prefix)
            utilities.tprint(value, indent + 1)
        else
            print(prefix .. " " .. tostring(value))
        end
    end
end

-- cjson writes an empty table as {}; a table made by array() is always written as an array.
local arrayMeta = {}

function utilities.array(t)
    return setmetatable(t or {}, arrayMeta)
end

-- cjson's text for every value; objects with their members in name order, so that the same
-- answer is always the same text.
function utilities.encode(value)
    if type(value) ~= "table" then
        return cjson.encode(value)
    end
    local parts = {}
    if getmetatable(value) == arrayMeta then
        for i = 1, #value do
            parts[i] = utilities.encode(value[i])
        end
        return "[" .. table.concat(parts, ",") .. "]"
    end
    if value[1] ~= nil then
        return cjson.encode(value)
    end
    local names = {}
    for name in pairs(value) do
        names[#names + 1] = tostring(name)
    end
    table.sort(names)
    for i, name in ipairs(names) do
        parts[i] = cjson.encode(name) .. ":" .. utilities.encode(value[name])
    end
    return "{" .. table.concat(parts, ",") .. "}"
end

return utilities
