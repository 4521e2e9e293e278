#include <gtest/gtest.h>

#include "platform/ui/WindowedPrompts.h"

namespace {

TEST(CommonDialogs, TheFilterTextBecomesQtNameFilters) {
    EXPECT_EQ(QtNameFilters("TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||"),
              "TGA Files (*.tga);;All Files (*.*)");
    // Pairs are taken as written; one without a pattern ends the list.
    EXPECT_EQ(QtNameFilters("Selections|*.sel|Other||"), "Selections (*.sel)");
    EXPECT_EQ(QtNameFilters("Pictures|*.png;*.tga||"), "Pictures (*.png *.tga)");
    // A pattern with no pattern after it is a filter of its own; the rest pairs up again.
    EXPECT_EQ(QtNameFilters("*.sel | All Files (*.*)|*.*||"), "*.sel (*.sel);;All Files (*.*)");
}

}  // namespace
