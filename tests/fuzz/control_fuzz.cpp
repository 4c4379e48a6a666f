// A control definition from the input, parsed and resolved in a window whose controls'
// classes and texts come from the input too. The answer is one of those controls or none.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fuzz_input.h"
#include "inspector/control_definition.h"

namespace {

using namespace scrutor;

constexpr TreeWindow kTop = 1000;

// Controls 1..n, all children of kTop (class and text pieces in turn).
class FlatTree final : public WindowTree {
public:
    std::vector<std::u16string_view> pieces;

    void ForEachDescendant(TreeWindow, const std::function<bool(TreeWindow)>& visit) const override {
        for (TreeWindow w = 1; w <= Count() && visit(w);) ++w;
    }
    bool ClassName(TreeWindow w, std::size_t units, WideString& name) const override {
        name = WideString(Piece(w, 0).substr(0, units - 1));
        return w != 0 && w <= Count();
    }
    WideString Text(TreeWindow w, std::size_t units) const override {
        return WideString(Piece(w, 1).substr(0, units - 1));
    }
    WideString CaptionText(TreeWindow w, std::size_t units) const override { return Text(w, units); }
    std::int32_t ControlId(TreeWindow w) const override { return static_cast<std::int32_t>(w); }
    [[nodiscard]] TreeWindow Count() const { return pieces.size() / 2; }
    [[nodiscard]] std::u16string_view Piece(TreeWindow w, std::size_t field) const {
        return w == 0 || w > Count() ? std::u16string_view() : pieces[2 * w - 2 + field];
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Pieces input(data, size);
    const char16_t* definition = input.Next();
    FlatTree tree;
    while (!input.AtEnd() && tree.pieces.size() < 40) tree.pieces.emplace_back(input.Next());
    (void)ParseControlDefinition(definition);
    const TreeWindow found = ResolveControlDefinition(tree, kTop, definition);
    fuzz::Check(found <= tree.Count());
    if (tree.Count() == 0) return 0;
    const TreeWindow last = tree.Count();
    WideString className;
    if (tree.ClassName(last, kWindowTextUnits, className) && !className.IsEmpty())
        fuzz::Check(ClassInstanceNumber(tree, kTop, last, className.CStr()) >= 1);
    return 0;
}
