#pragma once

// Shows the busy cursor while it lives (the hourglass of long shell calls);
// nests, and restores on every way out, exceptions included.
class TPTBusyCursor
{
  public:
    TPTBusyCursor();
    ~TPTBusyCursor();
    TPTBusyCursor(const TPTBusyCursor&) = delete;
    TPTBusyCursor& operator=(const TPTBusyCursor&) = delete;
};
