// placeholder until the first sources land
namespace { [[maybe_unused]] int startup_placeholder = 0; }
