#pragma once

// The drive information the namespace keeps (the volumes of the mount table
// and their drive types) is dropped by FlushDriveInfoCache, so that the next
// look at the drives reads them again. Controls flush on a device change, then
// lock while they refresh, so refresh work that would flush again does not.
// User-interface thread only.

// Nothing while locked; else asks the drives folder to validate (raises the
// platform error when it cannot be had).
void FlushDriveInfoCache();
void LockFlushDriveInfoCache();
void UnlockFlushDriveInfoCache();
