// placeholder until the first sources land
namespace { [[maybe_unused]] int users_placeholder = 0; }
