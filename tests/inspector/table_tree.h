#pragma once

// A window hierarchy as a table of rows, for the identification logic.
#include <string_view>
#include <vector>

#include "inspector/window_tree.h"

namespace scrutor {

struct Node {
    TreeWindow window;
    TreeWindow parent;
    const char16_t* className;  // null: cannot be read
    const char16_t* text;
    std::int32_t id;
};

class TableTree final : public WindowTree {
public:
    explicit TableTree(const std::vector<Node>& nodes) : nodes_(nodes) {}

    void ForEachDescendant(TreeWindow parent,
                           const std::function<bool(TreeWindow)>& visit) const override {
        (void)Walk(parent, visit);
    }
    bool ClassName(TreeWindow w, std::size_t units, WideString& name) const override {
        const Node* n = Find(w);
        if (n == nullptr || n->className == nullptr) return false;
        name = WideString(std::u16string_view(n->className).substr(0, units - 1));
        return true;
    }
    WideString Text(TreeWindow w, std::size_t units) const override {
        const Node* n = Find(w);
        return n == nullptr ? WideString() : WideString(std::u16string_view(n->text).substr(0, units - 1));
    }
    WideString CaptionText(TreeWindow w, std::size_t units) const override { return Text(w, units); }
    std::int32_t ControlId(TreeWindow w) const override {
        const Node* n = Find(w);
        return n == nullptr ? 0 : n->id;
    }

private:
    bool Walk(TreeWindow parent, const std::function<bool(TreeWindow)>& visit) const {
        for (const Node& n : nodes_) {
            if (n.parent == parent && (!visit(n.window) || !Walk(n.window, visit))) return false;
        }
        return true;
    }
    const Node* Find(TreeWindow w) const {
        for (const Node& n : nodes_) {
            if (n.window == w) return &n;
        }
        return nullptr;
    }

    const std::vector<Node>& nodes_;
};

}  // namespace scrutor
