#pragma once

#include "controls/PTNotifyEvent.h"
#include "shell/shell95/IShellFolder.h"
#include "shell/shell95/TItemIDList.h"

#include <cstdint>
#include <functional>

class QObject;
class TPTCustomDraw;
class TPTListItem;
class TPTShListData;
class TPTShTreeData;
class TPTTreeNode;

// The window state a dialog form opens with; the number is the byte that the
// dialog's state stream stores.
enum TWindowState : std::uint8_t { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// The events a dialog component hands on to the form's shell controls. The
// sender is the control that fires them (the file list or the folder tree).

// Asked before the list or the tree adds an item; clearing afAllowAdd keeps
// the item out.
using TPTShAddItemEvent =
    std::function<void(QObject* aSender, IShellFolder* aParentIShf, PCItemIDList aParentAbsIdList,
                       PCItemIDList aItemRelIdList, std::uint32_t aAttribs, bool& afAllowAdd)>;
// Custom drawing of one file-list item.
using TPTShLvCustomDrawEvent = std::function<void(QObject* aSender, TPTCustomDraw& aCD,
                                                  TPTListItem* aItem, TPTShListData* aData)>;
// Custom drawing of one folder-tree node.
using TPTShTvCustomDrawEvent = std::function<void(QObject* aSender, TPTCustomDraw& aCD,
                                                  TPTTreeNode* aNode, TPTShTreeData* aData)>;

// A help request of the form: the command, its data and whether the default
// help should run as well (in/out). Returns whether the request was handled.
using THelpEvent = std::function<bool(std::uint16_t aCommand, std::int32_t aData, bool& aCallHelp)>;
