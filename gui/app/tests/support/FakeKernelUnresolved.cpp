// A library that cannot be loaded: it needs a symbol that nothing provides.

extern int dorvek_symbol_nobody_defines;

extern "C" __attribute__((visibility("default"))) int IDORVEK(int, int) {
    return dorvek_symbol_nobody_defines;
}
