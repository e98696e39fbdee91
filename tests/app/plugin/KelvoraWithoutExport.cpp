// A library under the plug-in's name that lacks its export.

extern "C" __attribute__((visibility("default"))) int KelvoraVersion() {
    return 1;
}
