-- The attribute table used when the driver supplies none: no attribute names are known.
local attributes = {}

function attributes.getAttribute(idText)
    return nil
end

return attributes
