#pragma once
// The whole ui model: include this in window classes.

#include "platform/ui/Bars.hpp"
#include "platform/ui/Control.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Event.hpp"
#include "platform/ui/Host.hpp"
#include "platform/ui/ListView.hpp"
#include "platform/ui/Lists.hpp"
#include "platform/ui/Menu.hpp"
#include "platform/ui/Property.hpp"
#include "platform/ui/View.hpp"
#include "platform/ui/Window.hpp"
