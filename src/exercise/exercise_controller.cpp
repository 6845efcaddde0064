// SPDX-License-Identifier: MIT
#include "exercise_controller.h"

#include "draws.h"
#include "expression_builder.h"
#include "formulas.h"

#include <string>

void ExerciseController::Form_Load()
{
    ResetTask();
    random->seedFromClock();
    FormulaIndex = 0;
    GenerateExpression();
}

void ExerciseController::Command1_Click()
{
    view->setFeedbackText("");
    ResetTask();
    GenerateExpression();
}

void ExerciseController::Option1_Click(std::int16_t Index)
{
    if (Index == FormulaIndex) {
        view->setFeedbackText("Правилно!");
        return;
    }
    view->setFeedbackText("Сравнете с " + view->optionCaption(FormulaIndex));
}

void ExerciseController::ResetTask()
{
    for (int index = 0; index < FormulaCount; ++index) {
        view->deselectOption(index);
    }
    refillPools(view->numberPool(), view->letterPool());
}

void ExerciseController::GenerateExpression()
{
    const Draws draws = drawExercise(*random, view->numberPool(), view->letterPool());
    FormulaIndex = draws.formulaIndex;
    view->setExpressionText({});
    view->setExpressionText(buildExpression(draws));
}
