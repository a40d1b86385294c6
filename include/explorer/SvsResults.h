#pragma once
// Result codes of the explorer's expert and property-bag interfaces.
#include "explorer/Com.h"

// A property exists with another type, or may not be changed.
inline constexpr HRESULT SVSYS_E_PROP_MISMATCH = static_cast<HRESULT>(0x80040370u);
// The bag holds no value under the tag.
inline constexpr HRESULT SVSYS_E_PROP_NOT_FOUND = static_cast<HRESULT>(0x80040371u);
// No item (device) with the identifier.
inline constexpr HRESULT SVSYS_E_ITEM_NOT_EXIST = static_cast<HRESULT>(0x80040375u);
// A submitted value lies outside what the expert accepts.
inline constexpr HRESULT SVSYS_E_VALIDATION_VALUE = static_cast<HRESULT>(0x8004037Fu);
