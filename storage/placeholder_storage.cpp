// placeholder until the first sources land
namespace { [[maybe_unused]] int storage_placeholder = 0; }
