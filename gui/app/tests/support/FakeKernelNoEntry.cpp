// A library that loads but has no IDORVEK.

extern "C" __attribute__((visibility("default"))) int SomethingElse(int a) {
    return a;
}
