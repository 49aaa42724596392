// Keeps a layer library valid while its folder holds no sources yet.
