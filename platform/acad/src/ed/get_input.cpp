// The input functions: each is one prompt loop of the command line.
#include "acedads.h"
#include "ed/command_line.h"
#include "ed/host_messages.h"
#include "ed/script_input.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

using kz::ed::CommandLine;
using kz::ed::Input;
using kz::ed::InputKind;
using kz::ed::Msg;
using kz::ed::Refusal;

namespace {

constexpr std::size_t kDefaultBuffer = 133;

std::wstring promptText(const ACHAR* prompt) {
    return prompt ? prompt : L"";
}

// Copies text into a buffer of size characters; false when it had to be cut.
bool copyOut(const std::wstring& text, ACHAR* out, std::size_t size) {
    if (out == nullptr || size == 0)
        return false;
    std::size_t n = std::min(text.size(), size - 1);
    std::wmemcpy(out, text.data(), n);
    out[n] = 0;
    return n == text.size();
}

std::wstring keywordExpectation(const kz::ed::InitGet& ig, const wchar_t* what) {
    std::wstring s = what;
    if (!ig.keywords.empty())
        s += L" or a keyword (" + ig.keywords.describe() + L")";
    return s;
}

// A keyword of the list (or any text with RSG_OTHER): RTKWORD.
std::optional<int> keywordOrOther(const kz::ed::InitGet& ig, const Input& in) {
    if (std::optional<std::wstring> kw = ig.keywords.match(in.text)) {
        CommandLine::get().setLastKeyword(*kw);
        return RTKWORD;
    }
    if (ig.flags & kz::ed::kArbitraryInput) {
        CommandLine::get().setLastKeyword(in.text);
        return RTKWORD;
    }
    return std::nullopt;
}

// The number limits of acedInitGet; fills the refusal when the value breaks one.
bool numberAllowed(const kz::ed::InitGet& ig, double value, Refusal& refusal) {
    bool noZero = (ig.flags & kz::ed::kNoZero) != 0;
    bool noNegative = (ig.flags & kz::ed::kNoNegative) != 0;
    if ((noZero && value == 0.0) || (noNegative && value < 0.0)) {
        Msg m = noZero && noNegative ? Msg::ValuePositiveNonZero
                : noZero             ? Msg::ValueNonZero
                                     : Msg::ValuePositive;
        refusal.answer = kz::ed::msg(m);
        refusal.expected = noZero && noNegative ? L"a positive number"
                           : noZero             ? L"a number other than 0"
                                                : L"a number that is not negative";
        return false;
    }
    return true;
}

// Enter: RTNONE, unless RSG_NONULL refuses it.
std::optional<int> enter(const kz::ed::InitGet& ig, Refusal& refusal, Msg answer,
                         const std::wstring& expected) {
    if (ig.flags & kz::ed::kNoNull) {
        refusal = {kz::ed::msg(answer), expected};
        return std::nullopt;
    }
    return RTNONE;
}

} // namespace

int acedInitGet(int val, const ACHAR* kwl) {
    CommandLine::get().setInitGet(kz::ed::InitGet{val, kz::ed::KeywordList(kwl ? kwl : L"")});
    return RTNORM;
}

int acedGetPoint(const ads_point pt, const ACHAR* prompt, ads_point result) {
    CommandLine& cl = CommandLine::get();
    kz::ed::InitGet ig = cl.takeInitGet();
    const std::wstring expected = keywordExpectation(ig, L"a point");
    return cl.ask(promptText(prompt), [&](const Input& in, Refusal& refusal) -> std::optional<int> {
        if (in.kind == InputKind::Enter)
            return enter(ig, refusal, Msg::PointOrKeyword, expected);
        if (std::optional<AcGePoint3d> p = kz::ed::parsePoint(in.text, cl.lastPoint())) {
            if (result) {
                result[0] = p->x;
                result[1] = p->y;
                result[2] = p->z;
            }
            cl.pointGiven(*p);
            return RTNORM;
        }
        if (std::optional<int> kw = keywordOrOther(ig, in))
            return kw;
        refusal = {kz::ed::msg(Msg::PointOrKeyword), expected};
        return std::nullopt;
    });
}

int acedGetDist(const ads_point pt, const ACHAR* prompt, ads_real* result) {
    CommandLine& cl = CommandLine::get();
    kz::ed::InitGet ig = cl.takeInitGet();
    const std::wstring expected =
        keywordExpectation(ig, pt ? L"a distance or a point" : L"a distance");
    return cl.ask(promptText(prompt), [&](const Input& in, Refusal& refusal) -> std::optional<int> {
        if (in.kind == InputKind::Enter)
            return enter(ig, refusal, Msg::RealRequired, expected);
        std::optional<double> value = kz::ed::parseReal(in.text);
        if (!value && pt) {
            if (std::optional<AcGePoint3d> p = kz::ed::parsePoint(in.text, cl.lastPoint())) {
                cl.pointGiven(*p);
                value = p->distanceTo(AcGePoint3d(pt[0], pt[1], pt[2]));
            }
        }
        if (value) {
            if (!numberAllowed(ig, *value, refusal))
                return std::nullopt;
            if (result)
                *result = *value;
            return RTNORM;
        }
        if (std::optional<int> kw = keywordOrOther(ig, in))
            return kw;
        refusal = {kz::ed::msg(Msg::RealRequired), expected};
        return std::nullopt;
    });
}

int acedGetReal(const ACHAR* prompt, ads_real* result) {
    CommandLine& cl = CommandLine::get();
    kz::ed::InitGet ig = cl.takeInitGet();
    const std::wstring expected = keywordExpectation(ig, L"a number");
    return cl.ask(promptText(prompt), [&](const Input& in, Refusal& refusal) -> std::optional<int> {
        if (in.kind == InputKind::Enter)
            return enter(ig, refusal, Msg::RealRequired, expected);
        if (std::optional<double> value = kz::ed::parseReal(in.text)) {
            if (!numberAllowed(ig, *value, refusal))
                return std::nullopt;
            if (result)
                *result = *value;
            return RTNORM;
        }
        if (std::optional<int> kw = keywordOrOther(ig, in))
            return kw;
        refusal = {kz::ed::msg(Msg::RealRequired), expected};
        return std::nullopt;
    });
}

int acedGetInt(const ACHAR* prompt, int* result) {
    CommandLine& cl = CommandLine::get();
    kz::ed::InitGet ig = cl.takeInitGet();
    const std::wstring expected = keywordExpectation(ig, L"an integer");
    return cl.ask(promptText(prompt), [&](const Input& in, Refusal& refusal) -> std::optional<int> {
        if (in.kind == InputKind::Enter)
            return enter(ig, refusal, Msg::IntegerRequired, expected);
        std::optional<int> value = kz::ed::parseInteger(in.text);
        if (value && (*value < -32768 || *value > 32767))
            value.reset(); // the host's integers are 16-bit
        if (value) {
            if (!numberAllowed(ig, *value, refusal))
                return std::nullopt;
            if (result)
                *result = *value;
            return RTNORM;
        }
        if (std::optional<int> kw = keywordOrOther(ig, in))
            return kw;
        refusal = {kz::ed::msg(Msg::IntegerRequired), expected};
        return std::nullopt;
    });
}

int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, std::size_t bufLen) {
    CommandLine& cl = CommandLine::get();
    cl.takeInitGet();
    std::wstring text;
    int status = cl.ask(
        promptText(prompt),
        [&](const Input& in, Refusal&) -> std::optional<int> {
            text = in.kind == InputKind::Text ? in.text : L"";
            return RTNORM;
        },
        cronly != 0);
    if (status != RTNORM) {
        copyOut(L"", result, bufLen);
        return status;
    }
    return copyOut(text, result, bufLen) ? RTNORM : RTINPUTTRUNCATED;
}

int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result) {
    return acedGetString(cronly, prompt, result, kDefaultBuffer);
}

int acedGetKword(const ACHAR* prompt, ACHAR* result, std::size_t bufLen) {
    CommandLine& cl = CommandLine::get();
    kz::ed::InitGet ig = cl.takeInitGet();
    const std::wstring expected = L"a keyword (" + ig.keywords.describe() + L")";
    std::wstring keyword;
    int status =
        cl.ask(promptText(prompt), [&](const Input& in, Refusal& refusal) -> std::optional<int> {
            if (in.kind == InputKind::Enter)
                return enter(ig, refusal, Msg::InvalidKeyword, expected);
            if (std::optional<std::wstring> kw = ig.keywords.match(in.text)) {
                keyword = *kw;
                return RTNORM;
            }
            if (ig.flags & kz::ed::kArbitraryInput) {
                keyword = in.text;
                return RTNORM;
            }
            refusal = {kz::ed::msg(Msg::InvalidKeyword), expected};
            return std::nullopt;
        });
    copyOut(status == RTNORM ? keyword : L"", result, bufLen);
    if (status == RTNORM)
        cl.setLastKeyword(keyword);
    return status;
}

int acedGetKword(const ACHAR* prompt, ACHAR* result) {
    return acedGetKword(prompt, result, kDefaultBuffer);
}

int acedGetInput(ACHAR* str, std::size_t bufLen) {
    if (str == nullptr)
        return RTERROR;
    return copyOut(CommandLine::get().lastKeyword(), str, bufLen) ? RTNORM : RTINPUTTRUNCATED;
}

int acedGetInput(ACHAR* str) {
    return acedGetInput(str, kDefaultBuffer);
}

int acedPrompt(const ACHAR* str) {
    if (str)
        CommandLine::get().transcript().write(str);
    return RTNORM;
}
