// Anchors the resource library so that its embedded files are always linked.
namespace soravik {
int ResourcesAnchor() {
    return 0;
}
} // namespace soravik
