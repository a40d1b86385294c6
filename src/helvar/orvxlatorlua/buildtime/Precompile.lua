-- Build-time: compiles a script to Lua 5.1 bytecode under a chosen chunk name, so the library
-- loads it without parsing.   lua5.1 Precompile.lua INPUT OUTPUT CHUNKNAME
local input, output, chunkName = ...
local file = assert(io.open(input, "rb"))
local source = file:read("*a")
file:close()
local chunk = assert(loadstring(source, chunkName))
local out = assert(io.open(output, "wb"))
out:write(string.dump(chunk))
assert(out:close())
