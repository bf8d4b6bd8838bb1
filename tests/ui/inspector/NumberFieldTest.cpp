#include "ui/inspector/NumberField.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vt::ui;

namespace {

// A field in a window with a second widget to take the focus.
struct Harness {
    double value;
    int commits = 0;
    QWidget window;
    NumberField* field;
    QWidget* elsewhere;

    explicit Harness(double start, NumberField::Format format = {0, 100, 1, 0, "%", false}) : value(start)
    {
        field = new NumberField(Binding<double>::over(value), format, 56, "Amount", [this] { ++commits; }, &window);
        elsewhere = new QWidget(&window);
        elsewhere->setFocusPolicy(Qt::StrongFocus);
        elsewhere->move(100, 0);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    void type(const QString& text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void leave() { elsewhere->setFocus(); }
};

}  // namespace

TEST(NumberField, DisplayText)
{
    struct Case {
        double x;
        NumberField::Format format;
        const char* expected;
    };
    const Case cases[] = {
        {12.345, {0, 100, 1, 1, "%", false}, "12.3%"},
        {7, {0, 100, 1, 0, "", true}, "+7"},
        {-3, {-9, 9, 1, 0, "", true}, "-3"},
        {-3, {-9, 9, 1, 0, "", false}, "-3"},
        {0.4, {0, 1, 1, 2, "", true}, "0.40"},
        {0.5, {0, 1, 1, 2, "", true}, "+0.50"},
        {0.4, {0, 1, 1, 0, "", true}, "0"},
        {0.6, {0, 1, 1, 0, "", true}, "+1"},
        {0.5, {0, 1, 1, 0, "", true}, "+0"},  // the sign rounds half away, the digit to even
        {1234567.5, {0, 1e9, 1, 1, " px", false}, "1234567.5 px"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberField::displayText(c.x, c.format), QString(c.expected)) << c.x;
}

TEST(NumberField, ReadsTypedText)
{
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"1,5", 1.5}, {"50 %", 50.0}, {"50%", 50.0}, {"5.", 5.0}, {".5", 0.5}, {"-.5", -0.5}, {"+7", 7.0},
        {"", std::nullopt}, {"-", std::nullopt}, {".", std::nullopt}, {"1.2.3", std::nullopt},
        {"3-1", std::nullopt}, {"--5", std::nullopt}, {"abc", std::nullopt},
    };
    for (const auto& [typed, expected] : cases) EXPECT_EQ(NumberField::parse(typed), expected) << typed;
}

TEST(NumberField, ReturnCommitsClampedChangesOnly)
{
    Harness h(40);
    h.type("1,5");
    QTest::keyClick(h.field, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(h.value, 1.5);
    EXPECT_EQ(h.commits, 1);
    EXPECT_TRUE(h.field->hasFocus());
    EXPECT_EQ(h.field->selectedText(), QString("2%"));  // shown in its format, all selected

    h.type("150");
    QTest::keyClick(h.field, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(h.value, 100);
    EXPECT_EQ(h.commits, 2);
    QTest::keyClick(h.field, Qt::Key_Up);  // already at the top
    EXPECT_EQ(h.commits, 2);

    h.type("100");
    QTest::keyClick(h.field, Qt::Key_Return);  // the same value
    EXPECT_EQ(h.commits, 2);

    h.type("letters");
    h.leave();
    EXPECT_DOUBLE_EQ(h.value, 100);
    EXPECT_EQ(h.field->text(), QString("100%"));
}

TEST(NumberField, ArrowsStepTheTypedNumber)
{
    Harness h(0);
    h.type("12");
    QTest::keyClick(h.field, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(h.value, 13);
    h.type("12");
    QTest::keyClick(h.field, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(h.value, 22);
    QTest::keyClick(h.field, Qt::Key_Down);
    EXPECT_DOUBLE_EQ(h.value, 21);
    EXPECT_EQ(h.commits, 3);
}

TEST(NumberField, EscapeAndMereVisitsWriteNothing)
{
    Harness h(0.123456, {0, 1, 0.01, 2, "", false});
    EXPECT_EQ(h.field->text(), QString("0.12"));

    // Clicking in and leaving again keeps the stored digits.
    h.field->setFocus();
    h.leave();
    EXPECT_DOUBLE_EQ(h.value, 0.123456);
    EXPECT_EQ(h.commits, 0);

    // Escape throws the typing away and leaves the field without committing.
    h.type("0.9");
    QTest::keyClick(h.field, Qt::Key_Escape);
    EXPECT_FALSE(h.field->hasFocus());
    EXPECT_DOUBLE_EQ(h.value, 0.123456);
    EXPECT_EQ(h.commits, 0);
    EXPECT_EQ(h.field->text(), QString("0.12"));

    // Typed and left by focus: committed once.
    h.type("0.5");
    h.leave();
    EXPECT_DOUBLE_EQ(h.value, 0.5);
    EXPECT_EQ(h.commits, 1);
}

TEST(NumberField, FixedSizeAndRefreshKeepsTyping)
{
    Harness h(5);
    EXPECT_EQ(h.field->size(), QSize(56, 22));
    h.type("7");
    h.value = 9;
    h.field->refresh();
    EXPECT_EQ(h.field->text(), QString("7"));  // the user is typing
    h.leave();
    EXPECT_DOUBLE_EQ(h.value, 7);
}
