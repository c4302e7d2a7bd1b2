#include "app/flow/KeyboardInput.h"

namespace app {

engine::ShipInput ReadShipInput(const platform::KeyTable& keys) {
    namespace vk = platform::vk;
    engine::ShipInput input;
    input.skipMission = keys.held(vk::Shift) && keys.held('S') && keys.held('K');
    input.thrust = keys.held(vk::Space);
    input.turnLeft = keys.held(vk::Left);
    input.turnRight = keys.held(vk::Right);
    input.releaseCargo = keys.held(vk::Down);
    input.home = keys.held(vk::Home);
    input.quit = keys.held(vk::Escape);
    input.dropBomb = keys.held(vk::Control);
    input.hookCargo = keys.held(vk::Up);
    return input;
}

}  // namespace app
