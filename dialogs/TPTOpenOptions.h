#pragma once

#include <cstdint>
#include <initializer_list>

// The options of the file dialogs. The ordinal of a member is its bit number
// in the 32-bit word the set is stored and persisted in, so the order is fixed.
enum TPTOpenOption : std::uint8_t {
    ptofAllowMultiselect,
    ptofCreatePrompt,
    ptofExtensionDifferent, // output of the default-extension step
    ptofFileMustExist,
    ptofHideReadOnly,
    ptofNoChangeDir,
    ptofNoDereferenceLinks,
    ptofNoReadOnlyReturn,
    ptofNoTestFileCreate, // no effect
    ptofNoValidate,
    ptofOverwritePrompt,
    ptofReadOnly,      // output: follows the read-only check box
    ptofPathMustExist, // no effect
    ptofShareAware,    // no effect
    ptofShowHelp,
    ptofAllowTree,
    ptofShowTree,
    ptofShowHints,
    ptofHideFoldersInListWhenTreeVisible,
    ptofOleDrag,
    ptofOleDrop,
    ptofShowHidden
};

inline constexpr int kOpenOptionCount = ptofShowHidden + 1;

// A set of TPTOpenOption with value semantics.
class TPTOpenOptions
{
  public:
    constexpr TPTOpenOptions() = default;
    constexpr TPTOpenOptions(std::initializer_list<TPTOpenOption> members)
    {
        for (TPTOpenOption m : members)
            m_bits |= Bit(m);
    }
    // Bits above the last member are dropped: they name no option.
    static constexpr TPTOpenOptions FromValue(std::uint32_t value)
    {
        TPTOpenOptions o;
        o.m_bits = value & kUsedBits;
        return o;
    }

    constexpr std::uint32_t Value() const { return m_bits; }
    constexpr bool Contains(TPTOpenOption m) const { return (m_bits & Bit(m)) != 0; }

    constexpr TPTOpenOptions& Include(TPTOpenOption m)
    {
        m_bits |= Bit(m);
        return *this;
    }
    constexpr TPTOpenOptions& Exclude(TPTOpenOption m)
    {
        m_bits &= ~Bit(m);
        return *this;
    }
    constexpr TPTOpenOptions& Set(TPTOpenOption m, bool present)
    {
        return present ? Include(m) : Exclude(m);
    }
    constexpr TPTOpenOptions operator+(TPTOpenOption m) const
    {
        return TPTOpenOptions(*this).Include(m);
    }
    constexpr TPTOpenOptions operator-(TPTOpenOption m) const
    {
        return TPTOpenOptions(*this).Exclude(m);
    }

    friend constexpr bool operator==(TPTOpenOptions, TPTOpenOptions) = default;

  private:
    static constexpr std::uint32_t kUsedBits = (1u << kOpenOptionCount) - 1;
    static constexpr std::uint32_t Bit(TPTOpenOption m) { return 1u << m; }

    std::uint32_t m_bits = 0;
};

// What a new Open dialog starts with (0x003A8010).
inline constexpr TPTOpenOptions kDefaultOpenDlgOptions{
    ptofHideReadOnly, ptofAllowTree, ptofShowHints, ptofOleDrag, ptofOleDrop, ptofShowHidden};

// What a new Save dialog starts with: the Open dialog's set plus the question
// before an existing file is replaced (0x003A8410). Replacing a file the user
// did not mean to replace loses it, so a Save dialog asks unless its owner
// takes the option out.
inline constexpr TPTOpenOptions kDefaultSaveDlgOptions =
    kDefaultOpenDlgOptions + ptofOverwritePrompt;

static_assert(kDefaultOpenDlgOptions.Value() == 0x003A8010);
static_assert(kDefaultSaveDlgOptions.Value() == 0x003A8410);
