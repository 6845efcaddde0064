// SPDX-License-Identifier: MIT
#include "exercise_controller.h"
#include "expression_checker.h"
#include "formulas.h"
#include "plain_pools_view.h"
#include "sequence_random.h"
#include "vector_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// A window without widgets: it remembers what the exercise shows.
class StandInView final : public PlainPoolsView {
public:
    void setFeedbackText(std::string_view text) override { feedback = text; }
    void setExpressionText(std::string text) override
    {
        expressionHistory.push_back(std::move(text));
    }
    void deselectOption(int index) override
    {
        selected.at(static_cast<std::size_t>(index)) = false;
    }
    using PlainPoolsView::letters;
    using PlainPoolsView::numbers;

    // What a learner's click does to the window before the click reaches the exercise.
    void select(int index)
    {
        selected.fill(false);
        selected.at(static_cast<std::size_t>(index)) = true;
    }
    const std::string &expression() const { return expressionHistory.back(); }
    bool anySelected() const
    {
        return std::find(selected.begin(), selected.end(), true) != selected.end();
    }

    std::string feedback = "description";
    std::vector<std::string> expressionHistory{""};
    std::array<bool, FormulaCount> selected{};
};

class ExerciseControllerTest : public ::testing::Test {
protected:
    void click(int index)
    {
        view.select(index);
        controller.Option1_Click(static_cast<std::int16_t>(index));
    }

    StandInView view;
    SequenceRandom random{twoKnownExercises()};
    ExerciseController controller{view, random};
};

TEST_F(ExerciseControllerTest, LoadSeedsOnceAndShowsTheFirstExerciseInOnePiece)
{
    view.select(3);
    controller.Form_Load();

    EXPECT_EQ(random.seedCount(), 1);
    EXPECT_EQ(controller.formulaIndex(), 5);
    EXPECT_EQ(view.expressionHistory,
              (std::vector<std::string>{"", "", " 216*e^3 +  324*e^2*a +  162*e*a^2 +  27*a^3"}));
    EXPECT_EQ(view.feedback, "description");
    EXPECT_FALSE(view.anySelected());
    EXPECT_EQ(view.numbers.count(), 6);
    EXPECT_EQ(view.letters.count(), 6);
}

TEST_F(ExerciseControllerTest, RightChoiceRightAfterLoadIsPraised)
{
    controller.Form_Load();
    click(5);
    EXPECT_EQ(view.feedback, "Правилно!");
}

TEST_F(ExerciseControllerTest, WrongThenRightOnTheSameExercise)
{
    controller.Form_Load();
    const std::string expression = view.expression();
    const auto numbersBefore = view.numbers.items();

    click(6);
    EXPECT_EQ(view.feedback, "Сравнете с (x + y)^3");
    click(5);
    EXPECT_EQ(view.feedback, "Правилно!");
    click(0);
    EXPECT_EQ(view.feedback, "Сравнете с (x + y)^3");

    EXPECT_EQ(view.expression(), expression);
    EXPECT_EQ(view.numbers.items(), numbersBefore);
    EXPECT_EQ(controller.formulaIndex(), 5);
    EXPECT_EQ(random.valuesTaken(), 7U);
}

TEST_F(ExerciseControllerTest, EveryWrongChoiceNamesTheRightCaption)
{
    controller.Form_Load();
    for (int index = 0; index < FormulaCount; ++index) {
        click(index);
        EXPECT_EQ(view.feedback, index == 5 ? "Правилно!" : "Сравнете с (x + y)^3") << index;
    }
    controller.Command1_Click();
    for (int index = 0; index < FormulaCount; ++index) {
        click(index);
        EXPECT_EQ(view.feedback, index == 2 ? "Правилно!" : "Сравнете с x^2 - y^2") << index;
    }
}

TEST_F(ExerciseControllerTest, NewExerciseClearsFeedbackAndChoiceWithoutReseeding)
{
    controller.Form_Load();
    click(1);
    ASSERT_TRUE(view.anySelected());

    controller.Command1_Click();

    EXPECT_EQ(view.feedback, "");
    EXPECT_FALSE(view.anySelected());
    EXPECT_EQ(random.seedCount(), 1);
    EXPECT_EQ(random.valuesTaken(), 14U);
    EXPECT_EQ(controller.formulaIndex(), 2);
    EXPECT_EQ(view.expression(), "( 5*a + b)*( 5*a - b)");
    EXPECT_EQ(matchingFormulas(view.expression()), std::vector<int>{2});
    EXPECT_EQ(view.numbers.items(), (std::vector<std::string>{"3", "4", "6", "7", "8", "9"}));
    EXPECT_EQ(view.letters.items(), (std::vector<std::string>{"d", "e", "f", "g", "h", "i"}));
}

} // namespace
