#pragma once

#include <utility>

// One side of a two-sided link between shell controls: the old partner is
// unlinked (it forgets aSelf), the new one is taken and asked to link back.
// A partner that refuses (a combo keeps one partner) leaves aField null.
// aLinkBack is the partner's setter of its link to aSelf, aLinkedTo its getter.
template <typename Self, typename Partner>
void PTSetLink(Partner*& aField, Partner* aPartner, Self* aSelf, void (Partner::*aLinkBack)(Self*),
               Self* (Partner::*aLinkedTo)() const)
{
    if (aPartner == aField)
        return;
    if (Partner* old = std::exchange(aField, nullptr))
        (old->*aLinkBack)(nullptr);
    aField = aPartner;
    if (!aPartner)
        return;
    (aPartner->*aLinkBack)(aSelf);
    if ((aPartner->*aLinkedTo)() != aSelf)
        aField = nullptr;
}
