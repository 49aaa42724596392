#pragma once

// The folder combo as its entry records see it: the records use nothing of it
// and keep it only so the combo can recognise its own entries. The combo
// control derives from this.
class IPTShellComboOwner
{
  protected:
    ~IPTShellComboOwner() = default;
};
