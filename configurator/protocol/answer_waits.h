#pragma once

#include "answer_wait.h"

// The members of the answer timer family: interval, resends, whether giving up releases the
// window, whether a resend restarts the interval, then the resend line, the give-up line and
// the give-up message. The general timer only reports; the others watch the requests that
// hold the user or run long transfers.

namespace veldar::waits {

inline const QString kLineFailure = QStringLiteral("СTVRй приема по RS. Проверьте линию связи и повторите попытку.");

// `WaitAnsewerTimer`: every request; its interval comes from "WaitAnsewer".
inline const AnswerWaitRule kGeneral{
    4000, 0, false, false, {},
    QStringLiteral("Истек интервал ожидания ответа от TVR. Текущий таймаут = {seconds} сек"), {}};

// `TimerWaitAnsewerCMD50`: the owner decides what an unanswered probe means.
inline const AnswerWaitRule kCMD50{1000, 0, false, false, {}, {}, {}};

// `TimerWaitAnsewerCMD51`
inline const AnswerWaitRule kCMD51{
    2000, 0, true, false, {},
    QStringLiteral("TVR не ответил на сообщение CMD51"),
    QStringLiteral("TVR не ответил на сообщение CMD51. Проверьте линию связи.")};

// `TimerWaitAnsewerCMD52`: the channel polling, which does not hold the window.
inline const AnswerWaitRule kCMD52{
    2000, 1, false, true,
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD52. Сообщение отправлено повторно."),
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD52. Опрос TVR остановлен."),
    QStringLiteral("TVR дважды не ответил на запрос данных по каналу (CMD52). Опрос TVR остановлен.")};

// `TimerWaitAnsewerCMD81`
inline const AnswerWaitRule kCMD81{
    2000, 1, true, false,
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD81. Отправлен повторный запрос."),
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD81"),
    QStringLiteral("TVR не ответил на сообщение CMD81. Проверьте линию связи.")};

// `TimerWaitAnsewerCMD82`: its expiry changes nothing.
inline const AnswerWaitRule kCMD82{1500, 0, false, false, {}, {}, {}};

// `TimerWaitAnsewerCMD86`: one image page of the whole-unit write.
inline const AnswerWaitRule kCMD86{
    2000, 3, true, false,
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD86. Сообщение отправлено повторно."),
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD86. Отмена полсылки данных."),
    kLineFailure};

// `TimerWaitAnsewerCMD87`: one image page of the whole-unit read.
inline const AnswerWaitRule kCMD87{
    2000, 2, true, false,
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD87. Сообщение отправлено повторно."),
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD87. Отмена полсылки данных."),
    kLineFailure};

// `TimerWaitAnsewerCMD88`: the unit signs its whole memory, which takes a while.
inline const AnswerWaitRule kCMD88{
    10000, 0, true, false, {},
    QStringLiteral("Нет ответа от TVR ({address})на сообщение CMD88."),
    kLineFailure};

}  // namespace veldar::waits
