// The resource data itself is compiled in by qt_add_resources; this unit only
// gives the library a body.
namespace quintaro::resources {
int anchor() { return 0; }
}
