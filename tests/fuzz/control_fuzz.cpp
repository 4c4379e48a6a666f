// A control definition from the input, parsed and resolved in a window whose controls'
// classes and texts come from the input too. The answer is one of those controls or none.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "../inspector/table_tree.h"
#include "fuzz_input.h"
#include "inspector/control_definition.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scrutor;
    constexpr TreeWindow kTop = 1000;
    fuzz::Pieces input(data, size);
    const char16_t* definition = input.Next();
    // Controls 1..n, all children of kTop, from class and text pieces in turn.
    std::vector<Node> controls;
    while (!input.AtEnd() && controls.size() < 20) {
        const char16_t* className = input.Next();
        if (input.AtEnd()) break;
        const TreeWindow w = controls.size() + 1;
        controls.push_back({w, kTop, className, input.Next(), static_cast<std::int32_t>(w)});
    }
    const TableTree tree(controls);
    (void)ParseControlDefinition(definition);
    fuzz::Check(ResolveControlDefinition(tree, kTop, definition) <= controls.size());
    WideString className;  // as the tree reads it
    if (controls.empty() || !tree.ClassName(controls.size(), kWindowTextUnits, className) ||
        className.IsEmpty())
        return 0;
    fuzz::Check(ClassInstanceNumber(tree, kTop, controls.size(), className.CStr()) >= 1);
    return 0;
}
