#include "shell/dragdrop/DeliverDrop.h"

HRESULT DeliverDrop(IDropTarget* target, IDataObject* dataObject, std::uint32_t keyState,
                    TPointL point, std::uint32_t& effect)
{
    std::uint32_t probe = effect;
    target->DragEnter(dataObject, keyState, point, &probe);
    probe = effect;
    target->DragOver(keyState, point, &probe);
    return target->Drop(dataObject, keyState, point, &effect);
}
