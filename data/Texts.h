#pragma once

#include <QCoreApplication>

// The translation context of the program's texts that are said by code
// without a class of its own (the functions of a namespace): Texts::tr().
// Classes declare their own with Q_DECLARE_TR_FUNCTIONS or Q_OBJECT.
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(Quenvale)
};
