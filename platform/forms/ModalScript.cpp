#include "platform/forms/ModalScript.h"

#include <deque>

namespace {

struct State {
    std::deque<TModalAnswer> answers;
    std::vector<TModalRequest> log;
    bool strict = false;
    std::function<void(const TModalRequest&)> unscripted;
    std::function<void(const TModalRequest&)> whileShown;
};

State& S()
{
    static State s;
    return s;
}

} // namespace

namespace ModalScript {

void Answer(const TModalAnswer& A) { S().answers.push_back(A); }

void AnswerButton(int Result)
{
    TModalAnswer a;
    a.Result = Result;
    Answer(a);
}

void AnswerText(const AnsiString& Value)
{
    TModalAnswer a;
    a.Result = 1;
    a.Value = Value;
    Answer(a);
}

void AnswerFile(const AnsiString& FileName) { AnswerText(FileName); }

void AnswerColor(TColor Color)
{
    TModalAnswer a;
    a.Result = 1;
    a.Color = Color;
    Answer(a);
}

void AnswerCancel()
{
    TModalAnswer a;
    a.Result = 0;
    Answer(a);
}

int PendingAnswers() { return static_cast<int>(S().answers.size()); }
void ClearAnswers() { S().answers.clear(); }

const std::vector<TModalRequest>& Log() { return S().log; }
void ClearLog() { S().log.clear(); }
TModalRequest LastRequest() { return S().log.empty() ? TModalRequest{} : S().log.back(); }

void SetStrict(bool On) { S().strict = On; }
bool Strict() { return S().strict; }
std::function<void(const TModalRequest&)> SetUnscriptedHandler(std::function<void(const TModalRequest&)> Handler)
{
    auto old = std::move(S().unscripted);
    S().unscripted = std::move(Handler);
    return old;
}

std::function<void(const TModalRequest&)> SetWhileShown(std::function<void(const TModalRequest&)> Handler)
{
    auto old = std::move(S().whileShown);
    S().whileShown = std::move(Handler);
    return old;
}

namespace {

TModalAnswer Given(const TModalRequest& R, TModalAnswer A)
{
    // A copy: the handler may be replaced while it runs.
    if (auto reading = S().whileShown)
        reading(R);
    return A;
}

} // namespace

TModalAnswer Run(const TModalRequest& R, const std::function<TModalAnswer()>& Real, const TModalAnswer& CancelAnswer)
{
    auto& s = S();
    s.log.push_back(R);
    if (!s.answers.empty()) {
        TModalAnswer a = s.answers.front();
        s.answers.pop_front();
        return Given(R, std::move(a));
    }
    if (s.strict || !Real) {
        if (s.unscripted)
            s.unscripted(R);
        return Given(R, CancelAnswer);
    }
    return Real();
}

} // namespace ModalScript
