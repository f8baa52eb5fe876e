#pragma once
// The containers of the sim toolkit (forms, picture boxes, frames) own their
// controls in creation order, which is the tab order. Tests reach a control
// either through the program's form classes (which expose their controls;
// static_cast them to the Sim types) or by searching a container:
//   form.Find<SimCheckBox>("caption"), form.All<SimListView>().

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"
#include "platform/sim/sim_controls.h"
#include "platform/sim/sim_list_view.h"

namespace qov::sim {

// Read access to a container's children, whatever kind of container it is.
class SimContainerView {
public:
    struct Child {
        std::unique_ptr<Control> control;
        std::string caption;  // caption or text given at creation; empty for the others
    };
    virtual ~SimContainerView() = default;
    virtual const std::vector<Child>& Children() const = 0;

    // The first control of type T with this creation caption, searching this
    // container and then the containers inside it, in tab order; null if none.
    template <class T>
    T* Find(std::string_view caption) const {
        for (const Child& child : Children()) {
            if (auto* match = dynamic_cast<T*>(child.control.get());
                match && child.caption == caption) {
                return match;
            }
            if (auto* inner = dynamic_cast<const SimContainerView*>(child.control.get())) {
                if (T* found = inner->Find<T>(caption)) return found;
            }
        }
        return nullptr;
    }

    // Every control of type T, nested ones included, in tab order.
    template <class T>
    std::vector<T*> All() const {
        std::vector<T*> result;
        for (const Child& child : Children()) {
            if (auto* match = dynamic_cast<T*>(child.control.get())) result.push_back(match);
            if (auto* inner = dynamic_cast<const SimContainerView*>(child.control.get())) {
                for (T* found : inner->All<T>()) result.push_back(found);
            }
        }
        return result;
    }
};

template <class Base>
class SimContainerBase : public Base, public SimContainerView {
public:
    template <class... Args>
    explicit SimContainerBase(Args&&... args) : Base(std::forward<Args>(args)...) {}

    ListView& AddListView(const TwipsRect& bounds) override;
    StatusBar& AddStatusBar() override;
    PictureBox& AddPictureBox(const TwipsRect& bounds) override;
    Frame& AddFrame(std::string_view caption, const TwipsRect& bounds) override;
    TabStrip& AddTabStrip(const std::vector<std::string>& tabs,
                          const TwipsRect& bounds) override;
    CheckBox& AddCheckBox(std::string_view caption, const TwipsRect& bounds) override;
    OptionButton& AddOptionButton(std::string_view caption, const TwipsRect& bounds) override;
    ListBox& AddListBox(const TwipsRect& bounds) override;
    ComboBox& AddComboBox(const TwipsRect& bounds) override;
    Button& AddButton(std::string_view caption, const TwipsRect& bounds) override;
    Label& AddLabel(std::string_view text, const TwipsRect& bounds, const FontSpec& font,
                    bool centred) override;

    const std::vector<Child>& Children() const override { return children_; }
    const OptionGroup& Options() const { return options_; }

private:
    template <class T>
    T& Adopt(std::unique_ptr<T> control, std::string_view caption = {});

    std::vector<Child> children_;
    OptionGroup options_;
};

class SimPictureBox : public SimContainerBase<SimControlBase<PictureBox>> {
public:
    explicit SimPictureBox(const TwipsRect& bounds) : SimContainerBase(bounds) {}
    void SetAlign(int align) override { align_ = align; }
    int Align() const override { return align_; }

private:
    int align_ = 0;
};

class SimFrame : public SimContainerBase<SimControlBase<Frame>> {
public:
    SimFrame(std::string_view caption, const TwipsRect& bounds)
        : SimContainerBase(bounds), caption_(caption) {}
    const std::string& Caption() const { return caption_; }

private:
    std::string caption_;
};

}  // namespace qov::sim
