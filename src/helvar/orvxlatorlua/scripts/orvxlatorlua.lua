-- The environment every Lua translator runs in: decodes its registration, sets the module
-- search path and loads the translator script named there. The pure-Lua "json" stays
-- available to scripts through require but is not loaded here: compiling it costs more than a
-- whole translation.
require("stdint")
local cjson = require("cjson")
local utils = require("orvxlatorluautils")

orvxlatorlua_name = nil
orvxlatorlua_xlator = nil
orvxlatorlua_settings = {}

function orvxlatorlua_errHandler(message)
    return tostring(message) .. "\n" .. debug.traceback()
end

-- "dir1;dir2" -> "dir1/?.lua;dir2/?.lua", each folder expanded.
local function searchPath(list, name)
    local parts = {}
    for part in string.gmatch(list, "[^;]+") do
        local folder = string.gsub(utils.expandPath(name, part), "\\", "/")
        if string.sub(folder, -1) ~= "/" then
            folder = folder .. "/"
        end
        parts[#parts + 1] = folder .. "?.lua"
    end
    return table.concat(parts, ";")
end

function orvxlatorlua_setupEnv(name, registrationInfo)
    -- cjson raises on malformed text, where a pure-Lua decoder would hand back nil.
    local info = cjson.decode(registrationInfo)
    if type(info) ~= "table" then
        error("registrationInfo is not a JSON object")
    end
    orvxlatorlua_name = name
    if type(info.orvxlatorlua_path) == "string" then
        package.path = searchPath(info.orvxlatorlua_path, name)
    else
        package.path = ""
    end
    package.cpath = ""
    if type(info.orvxlatorlua_xlator) ~= "string" then
        error("registrationInfo names no translator script")
    end
    orvxlatorlua_xlator = require(info.orvxlatorlua_xlator)
    if type(info.orvxlatorlua_settings) == "table" then
        orvxlatorlua_settings = info.orvxlatorlua_settings
    end
end
