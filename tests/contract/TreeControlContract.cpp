#include "tests/contract/TreeControlContract.h"

namespace ombrel::contract {
namespace {

using platform::TreeControl;
using Item = TreeControl::Item;

constexpr std::uint32_t kAll = TreeControl::kStateImageMask | TreeControl::kExpanded;

Item Insert(TreeControl& tree, Item parent, const char16_t* text, std::intptr_t data = 0,
            std::uint32_t image = 1) {
    return tree.InsertLast(parent, text, data,
                           TreeControl::StateImage(image) | TreeControl::kExpanded, kAll);
}

TEST_P(TreeControlContract, AnEmptyTreeHasNoItems) {
    EXPECT_EQ(port->FirstChild(TreeControl::kRoot), TreeControl::kNoItem);
}

TEST_P(TreeControlContract, ItemsGoInAsLastChildrenInOrder) {
    const Item a = Insert(*port, TreeControl::kRoot, u"Main");
    const Item b = Insert(*port, TreeControl::kRoot, u"Work");
    const Item a1 = Insert(*port, a, u"Inbox");
    const Item a2 = Insert(*port, a, u"Sent Mail");
    const Item a11 = Insert(*port, a1, u"Lists");
    for (const Item item : {a, b, a1, a2, a11}) ASSERT_NE(item, TreeControl::kNoItem);

    EXPECT_EQ(port->FirstChild(TreeControl::kRoot), a);
    EXPECT_EQ(port->NextSibling(a), b);
    EXPECT_EQ(port->NextSibling(b), TreeControl::kNoItem);
    EXPECT_EQ(port->FirstChild(a), a1);
    EXPECT_EQ(port->NextSibling(a1), a2);
    EXPECT_EQ(port->NextSibling(a2), TreeControl::kNoItem);
    EXPECT_EQ(port->FirstChild(a1), a11);
    EXPECT_EQ(port->FirstChild(a11), TreeControl::kNoItem);
    EXPECT_EQ(port->FirstChild(b), TreeControl::kNoItem);
}

TEST_P(TreeControlContract, ItemsKeepTheirDataAndStateImage) {
    const Item checked = Insert(*port, TreeControl::kRoot, u"Inbox", 0x12345678, 2);
    const Item unchecked = Insert(*port, TreeControl::kRoot, u"Junk mail", -7, 1);
    EXPECT_EQ(port->ItemData(checked), 0x12345678);
    EXPECT_EQ(port->ItemData(unchecked), -7);
    EXPECT_EQ(port->ItemState(checked, TreeControl::kStateImageMask), 0x2000U);
    EXPECT_EQ(port->ItemState(unchecked, TreeControl::kStateImageMask), 0x1000U);
}

TEST_P(TreeControlContract, SettingAStateChangesOnlyTheMaskedBits) {
    const Item parent = Insert(*port, TreeControl::kRoot, u"Main", 0, 2);
    Insert(*port, parent, u"Inbox");
    EXPECT_EQ(port->ItemState(parent, TreeControl::kExpanded), TreeControl::kExpanded);
    port->SetItemState(parent, TreeControl::StateImage(1), TreeControl::kStateImageMask);
    EXPECT_EQ(port->ItemState(parent, TreeControl::kStateImageMask), 0x1000U);
    EXPECT_EQ(port->ItemState(parent, TreeControl::kExpanded), TreeControl::kExpanded);
    port->SetItemState(parent, TreeControl::StateImage(2) | TreeControl::kExpanded,
                       TreeControl::kStateImageMask);
    EXPECT_EQ(port->ItemState(parent, kAll), 0x2000U | TreeControl::kExpanded);
}

}  // namespace
}  // namespace ombrel::contract
