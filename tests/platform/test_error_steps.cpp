// The error-step helper: the report's three answers.
#include <gtest/gtest.h>

#include "platform/error_steps.h"
#include "platform/vb_error.h"
#include "support/entorno.h"

namespace {

// A procedure of three statements, the second of which fails the first
// `fallas` times it runs.
struct Procedimiento {
  int fallas = 1;
  std::vector<int> hechos;
  bool Corre() {
    vb::ErrorSteps paso("Procedimiento");
    if (!paso.step([&] { hechos.push_back(1); })) return false;
    if (!paso.step([&] {
          if (fallas-- > 0) vb::Raise(vb::ErrTypeMismatch, "No coinciden los tipos");
          hechos.push_back(2);
        }))
      return false;
    if (!paso.step([&] { hechos.push_back(3); })) return false;
    return true;
  }
};

}  // namespace

TEST_F(ConEntorno, RetryRunsTheFailingStatementAgain) {
  e.ui().respuestasError = {4};
  Procedimiento p;
  EXPECT_TRUE(p.Corre());
  EXPECT_EQ(p.hechos, (std::vector<int>{1, 2, 3}));
  ASSERT_EQ(e.ui().Cuenta("Error"), 1);
  EXPECT_EQ(e.ui().De("Error")[0].titulo, "Procedimiento");
  EXPECT_EQ(e.ui().De("Error")[0].valor, vb::ErrTypeMismatch);
}

TEST_F(ConEntorno, ResumeGoesOnWithTheNextStatement) {
  e.ui().respuestasError = {5};
  Procedimiento p;
  EXPECT_TRUE(p.Corre());
  EXPECT_EQ(p.hechos, (std::vector<int>{1, 3}));
}

TEST_F(ConEntorno, AnyOtherAnswerLeavesTheProcedure) {
  e.ui().respuestasError = {3};
  Procedimiento p;
  EXPECT_FALSE(p.Corre());
  EXPECT_EQ(p.hechos, (std::vector<int>{1}));
}

TEST_F(ConEntorno, RetryingAgainAndAgainReportsEachFailure) {
  e.ui().respuestasError = {4, 4, 3};
  Procedimiento p;
  p.fallas = 10;
  EXPECT_FALSE(p.Corre());
  EXPECT_EQ(e.ui().Cuenta("Error"), 3);
  EXPECT_EQ(p.hechos, (std::vector<int>{1}));
}
