#pragma once

#include <initializer_list>

namespace zorv {

// What an engine can do, as a set of flags over an integer raw value. Build one from a list of
// members: EngineCapabilities{EngineCapabilities::discoverItems, EngineCapabilities::hideItems}.
class EngineCapabilities {
public:
    static const EngineCapabilities discoverItems; // finds other applications' status items
    static const EngineCapabilities hideItems;     // hides and reveals sections
    static const EngineCapabilities reorderItems;  // moves items into the wanted order
    static const EngineCapabilities activateItems; // clicks an item for the user
    static const EngineCapabilities captureImages; // delivers pictures of items
    static const EngineCapabilities perItemFrames; // gives each item a frame of its own

    constexpr EngineCapabilities() = default;
    constexpr explicit EngineCapabilities(int rawValue) : m_rawValue(rawValue) {}
    constexpr EngineCapabilities(std::initializer_list<EngineCapabilities> members) {
        for (EngineCapabilities member : members) {
            m_rawValue |= member.m_rawValue;
        }
    }

    [[nodiscard]] constexpr int rawValue() const { return m_rawValue; }
    [[nodiscard]] constexpr bool isEmpty() const { return m_rawValue == 0; }
    // True when every member of `other` is in this set.
    [[nodiscard]] constexpr bool contains(EngineCapabilities other) const {
        return (m_rawValue & other.m_rawValue) == other.m_rawValue;
    }

    constexpr void insert(EngineCapabilities other) { m_rawValue |= other.m_rawValue; }
    constexpr void remove(EngineCapabilities other) { m_rawValue &= ~other.m_rawValue; }

    friend constexpr EngineCapabilities operator|(EngineCapabilities a, EngineCapabilities b) {
        return EngineCapabilities(a.m_rawValue | b.m_rawValue);
    }
    friend constexpr EngineCapabilities operator&(EngineCapabilities a, EngineCapabilities b) {
        return EngineCapabilities(a.m_rawValue & b.m_rawValue);
    }
    friend constexpr bool operator==(EngineCapabilities, EngineCapabilities) = default;

private:
    int m_rawValue = 0;
};

inline constexpr EngineCapabilities EngineCapabilities::discoverItems(1);
inline constexpr EngineCapabilities EngineCapabilities::hideItems(2);
inline constexpr EngineCapabilities EngineCapabilities::reorderItems(4);
inline constexpr EngineCapabilities EngineCapabilities::activateItems(8);
inline constexpr EngineCapabilities EngineCapabilities::captureImages(16);
inline constexpr EngineCapabilities EngineCapabilities::perItemFrames(32);

} // namespace zorv
