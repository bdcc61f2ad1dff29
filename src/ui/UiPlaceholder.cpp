// placeholder until the first widget lands
