#include "setup/prize_list.h"

PrizeList::PrizeList(Controls controls, Messages &messages, QObject *parent)
    : QObject(parent)
    , c_(controls)
    , messages_(messages)
{
}
