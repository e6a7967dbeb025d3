#include "tests/support/posix/ModelDialogs.h"

#include <string>

namespace ombrel::platform::posix {

bool ModelDialogs::RegisterLinkClass() {
    Record("RegisterLinkClass");
    linkClassRegistered_ = !refuseLinkClass_;
    return linkClassRegistered_;
}

void ModelDialogs::UnregisterLinkClass() {
    Record("UnregisterLinkClass");
    linkClassRegistered_ = false;
}

std::intptr_t ModelDialogs::RunModal(std::uint32_t templateId, WindowHandle owner,
                                     DialogProcedure& procedure) {
    Record("RunModal " + std::to_string(templateId) + " owner " +
           std::to_string(reinterpret_cast<std::uintptr_t>(owner)));
    if (!linkClassRegistered_) return -1;
    const std::shared_ptr<DialogModel> dialog = Open(procedure);
    dialog->DeliverPosted();
    if (user_) user_(*dialog);
    return dialog->Ended().value_or(-1);
}

std::vector<std::string> ModelDialogs::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::shared_ptr<DialogModel> ModelDialogs::Open(DialogProcedure& procedure) {
    std::shared_ptr<DialogModel> dialog;
    {
        std::lock_guard lock(mutex_);
        // A made-up handle, never dereferenced.
        auto* window =
            reinterpret_cast<WindowHandle>(nextWindow_++);  // NOLINT(performance-no-int-to-ptr)
        dialog = std::make_shared<DialogModel>(window, procedure);
        std::erase_if(open_, [](const auto& model) { return model.expired(); });
        open_.push_back(dialog);
    }
    dialog->Send(dialog::kInitDialog);
    return dialog;
}

void ModelDialogs::Deliver(const JobViewUpdate& update) {
    std::shared_ptr<DialogModel> target;
    {
        std::lock_guard lock(mutex_);
        for (const auto& model : open_) {
            std::shared_ptr<DialogModel> dialog = model.lock();
            if (dialog && dialog->Window() == update.dialog) target = std::move(dialog);
        }
    }
    if (target) target->Apply(update);
}

void ModelDialogs::Record(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
}

}  // namespace ombrel::platform::posix
